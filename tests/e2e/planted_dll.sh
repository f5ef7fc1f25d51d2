#!/usr/bin/env bash
# Starts a copy of the program in a folder where a DLL of each name that the program loads at run
# time or once did (comctl32, uxtheme, msimg32, winmm) has been planted, and checks that the strip still
# shows, drawn with the system's DLLs, and that none of the planted ones was loaded.
#   planted_dll.sh PATH/TO/Vandrel.exe PATH/TO/planted.dll WORK_DIR
set -euo pipefail
exe=$1 planted=$2 work=$3
source "$(dirname "$0")/session.sh"
rm -rf "$work" && mkdir -p "$work"
cp "$exe" "$work/Vandrel.exe"
names=(comctl32 uxtheme msimg32 winmm)
for name in "${names[@]}"; do cp "$planted" "$work/$name.dll"; done
# A window that Wine maps but never draws into would pass a search by name: wait for a shown
# strip, then for the first clock ticks and the flat buttons' pictures.
# Wine prefers its built-in DLLs to any it finds beside an exe; Windows takes the one beside it.
# Asking Wine for "native, then built-in" makes it load a planted DLL as Windows would.
overrides="$(IFS=,; echo "${names[*]}")=n,b"
WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;$overrides" "$here/scripts/wine-run" "$work/Vandrel.exe" &
program=$!
timeout 60 xdotool search --sync --onlyvisible --name '^Form1$' >/dev/null
sleep 1.5
kill -0 "$program" # still running
loaded=$(cd "$work" && ls ./*.loaded 2>/dev/null || true)
if [ -n "$loaded" ]; then
  echo "planted DLLs were loaded: $loaded"
  exit 1
fi
echo "strip shown; none of ${names[*]} was loaded from $work"
