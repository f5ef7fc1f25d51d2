#!/usr/bin/env bash
# Measures the CPU time that the idle strip costs under Wine against a bare Win32 program with
# the same three timers, each run alone for SECONDS (default 60). Prints both and the ratio.
#   scripts/measure-idle.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
cmake --preset win >/dev/null
cmake --build --preset win --target Vandrel idle_baseline >/dev/null
eval "$(scripts/wine-run --session-start)"
export WINEPREFIX=${VANDREL_WINEPREFIX:-${VANDREL_CACHE:-$HOME/.cache/vandrel}/wine}
trap 'scripts/wine-run --session-end' EXIT

ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; } # user + system, in clock ticks
server_pid() { # the wineserver of this prefix, not of another one running beside it
  local pid
  for pid in $(pgrep wineserver); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && { echo "$pid"; return; }
  done
}
server_ticks() { ticks "$(server_pid)"; }

measure() { # exe name -> CPU seconds of the program and of wineserver over the window
  local exe=$1 pid start server_start
  scripts/wine-run "build/win/$exe" &
  local runner=$!
  sleep 5 # start-up is not idle
  pid=$(pgrep -n -f "$exe")
  start=$(ticks "$pid") server_start=$(server_ticks)
  sleep "$seconds"
  local used=$(( $(ticks "$pid") - start )) server_used=$(( $(server_ticks) - server_start ))
  kill "$runner" "$pid" 2>/dev/null || true
  wait "$runner" 2>/dev/null || true
  local hz; hz=$(getconf CLK_TCK)
  echo "$exe $(echo "scale=3; $used / $hz" | bc) $(echo "scale=3; $server_used / $hz" | bc)"
}

baseline=$(measure idle_baseline.exe)
strip=$(measure Vandrel.exe)
read -r _ base_cpu base_server <<<"$baseline"
read -r _ strip_cpu strip_server <<<"$strip"
echo "over ${seconds} s of idle:"
echo "  bare program: ${base_cpu} s CPU (+ ${base_server} s in wineserver)"
echo "  clock strip:  ${strip_cpu} s CPU (+ ${strip_server} s in wineserver)"
echo "  ratio (program + wineserver): $(echo "scale=3; ($strip_cpu + $strip_server) / ($base_cpu + $base_server)" | bc)"
