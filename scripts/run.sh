#!/usr/bin/env bash
# Builds the program and starts the clock strip under Wine. Without a display it runs on a
# private Xvfb, saves a screenshot shortly after start and prints its path. Ctrl+C ends it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-deps.sh
cmake --preset win >/dev/null
cmake --build --preset win --target Vandrel

headless=""
if [ -z "${DISPLAY:-}" ]; then
  headless=1
  eval "$(scripts/wine-run --session-start)"
fi
cleanup() {
  [ -n "${program:-}" ] && kill "$program" 2>/dev/null || true
  [ -n "$headless" ] && scripts/wine-run --session-end
}
trap cleanup EXIT
trap 'exit 130' INT TERM

scripts/wine-run build/win/Vandrel.exe &
program=$!
if [ -n "$headless" ]; then
  shots=build/win/screenshots
  mkdir -p "$shots"
  if timeout 60 xdotool search --sync --name '^Form1$' >/dev/null; then
    sleep 2 # let the clock text come up
    import -window root "$shots/run.png"
    echo "Screenshot: $(pwd)/$shots/run.png"
  fi
  echo "The clock strip runs on display $DISPLAY; Ctrl+C ends it."
fi
wait "$program"
