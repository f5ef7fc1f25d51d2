#!/usr/bin/env bash
# A strip left on no screen comes back to the top-right corner of the primary work area when the
# screens change (WM_DISPLAYCHANGE); one still partly on the screen stays where it is; and
# until such a change nothing brings a strip back, wherever it was moved.
#   display_change.sh Vandrel.exe display_change.exe
set -euo pipefail
exe=$1 helper=$2
source "$(dirname "$0")/session.sh"
run() { "$here/scripts/wine-run" "$@"; }
fail() { echo "FAIL: $*" >&2; exit 1; }

"$here/scripts/wine-run" "$exe" &
program=$!
timeout 60 xdotool search --sync --name '^Form1$' >/dev/null
sleep 0.5
read -r screen_width screen_height < <(xdpyinfo | awk '/dimensions:/ { split($2, s, "x"); print s[1], s[2] }')

# Where the strip is put; whether it is then wholly off the screen.
cases=(
  "-600 -300 off"                     # above and left of the screen
  "$screen_width 10 off"              # just right of it, as on an unplugged second monitor
  "300 $screen_height off"            # just below it
  "$((screen_width - 1)) 50 partly"   # one column still on the screen
  "-200 300 partly"                   # the right end of it on the screen
)
for c in "${cases[@]}"; do
  set -- $c
  out=$(run "$helper" "$1" "$2" | tr -d '\r') || fail "display_change $1 $2: no strip answered"
  moved=$(sed -n 's/^moved //p' <<<"$out")
  still=$(sed -n 's/^still //p' <<<"$out")
  after=$(sed -n 's/^after //p' <<<"$out")
  IFS=, read -r _ work_top work_right _ <<<"$(sed -n 's/^work //p' <<<"$out")"
  IFS=, read -r mx my w h <<<"$moved"
  [ "$mx,$my" = "$1,$2" ] || fail "the strip was not moved to $1,$2: $moved"
  [ "$still" = "$moved" ] || fail "at $1,$2 the strip moved to $still with no change of the screens"
  if [ "$3" = off ]; then
    expected="$((work_right - w)),$work_top,$w,$h"
    [ "$after" = "$expected" ] || fail "wholly off at $1,$2 it came to $after, not the corner $expected"
  else
    [ "$after" = "$moved" ] || fail "partly on the screen at $1,$2 it moved to $after"
  fi
  echo "strip at $1,$2 ($3): $after"
done
echo "e2e display_change: passed"
