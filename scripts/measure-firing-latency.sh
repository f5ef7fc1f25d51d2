#!/usr/bin/env bash
# How late a time-of-day task fires after its second begins, under Wine, with the strip's own
# timer, tick and message loop: FIRINGS firings, one a second (default 300, i.e. five minutes).
# Prints p50, p95, max, mean and min in milliseconds.
#   scripts/measure-firing-latency.sh [FIRINGS]
# VANDREL_BUILD names the build folder (default build/win).
set -euo pipefail
cd "$(dirname "$0")/.."
firings=${1:-300}
build=${VANDREL_BUILD:-build/win}
cmake --preset win -B "$build" >/dev/null
cmake --build "$build" --target firing_latency >/dev/null
if [ -z "${VANDREL_SESSION:-}" ]; then
  eval "$(scripts/wine-run --session-start)"
  trap 'scripts/wine-run --session-end' EXIT
fi
scripts/wine-run "$build/firing_latency.exe" "$firings" 2> >(grep -v '^ALSA lib' >&2)
