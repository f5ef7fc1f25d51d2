#!/usr/bin/env bash
# The soak: the program's windows, timers, ticks and actions run under Wine for MINUTES minutes
# (default 60) with all eight slots re-armed to fire once every minute. Prints the GDI and USER
# objects, kernel handles and private bytes sampled each minute (first and last at the end) and
# how often each slot fired; exits non-zero unless each fired exactly once a minute.
#   scripts/soak.sh [MINUTES]
# VANDREL_BUILD names the build folder (default build/win). Rounds start at the next full minute.
set -euo pipefail
cd "$(dirname "$0")/.."
minutes=${1:-60}
build=${VANDREL_BUILD:-build/win}
cmake --preset win -B "$build" >/dev/null
cmake --build "$build" --target soak marker >/dev/null
if [ -z "${VANDREL_SESSION:-}" ]; then
  eval "$(scripts/wine-run --session-start)"
  trap 'scripts/wine-run --session-end' EXIT
fi
scripts/wine-run "$build/soak.exe" "$minutes" 2> >(grep -v '^ALSA lib' >&2)
