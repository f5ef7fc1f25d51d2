#!/usr/bin/env bash
# Measures what the strip costs under Wine against bare Win32 programs, each run alone:
# - idle: the CPU time over SECONDS (default 60) against a program with the same three timers;
# - start-up: the time from starting the process to its window showing on screen, against a
#   program that shows one window of the strip's size at once; RUNS runs each (default 5),
#   taken in turns, and the median.
# Prints both figures and the ratios.
#   scripts/measure-idle.sh [SECONDS] [RUNS]
# VANDREL_BUILD names another build folder of the win preset (default build/win).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
runs=${2:-5}
build=${VANDREL_BUILD:-build/win}
cmake --preset win -B "$build" >/dev/null
cmake --build "$build" --target Vandrel idle_baseline startup_baseline >/dev/null
eval "$(scripts/wine-run --session-start)"
export WINEPREFIX=${VANDREL_WINEPREFIX:-${VANDREL_CACHE:-$HOME/.cache/vandrel}/wine}
trap 'scripts/wine-run --session-end' EXIT

ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; } # user + system, in clock ticks
session_pid() { # the newest process running this exe that this session started
  local pid
  for pid in $(pgrep -f "$1" | sort -rn); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "VANDREL_SESSION=$VANDREL_SESSION" && { echo "$pid"; return; }
  done
}
server_pid() { # the wineserver of this prefix, not of another one running beside it
  local pid
  for pid in $(pgrep wineserver); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && { echo "$pid"; return; }
  done
}
server_ticks() { ticks "$(server_pid)"; }
stop() { # runner pid, exe
  local pid; pid=$(session_pid "$2")
  kill "$1" $pid 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}

measure() { # exe name -> CPU seconds of the program and of wineserver over the window
  local exe=$1 pid start server_start
  scripts/wine-run "$build/$exe" &
  local runner=$!
  sleep 5 # start-up is not idle
  pid=$(session_pid "$exe")
  start=$(ticks "$pid") server_start=$(server_ticks)
  sleep "$seconds"
  local used=$(( $(ticks "$pid") - start )) server_used=$(( $(server_ticks) - server_start ))
  stop "$runner" "$exe"
  local hz; hz=$(getconf CLK_TCK)
  echo "$exe $(echo "scale=3; $used / $hz" | bc) $(echo "scale=3; $server_used / $hz" | bc)"
}

shown() { xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
startup() { # exe, window title -> milliseconds from the process start to the window on screen
  local exe=$1 title=$2
  while shown "$title"; do sleep 0.1; done # the previous run's window is gone
  local start; start=$(date +%s%N)
  scripts/wine-run "$build/$exe" &
  local runner=$!
  until shown "$title"; do
    if (( $(date +%s%N) - start > 60000000000 )); then echo "$exe: no window in 60 s" >&2; exit 1; fi
    sleep 0.005
  done
  local elapsed=$(( ($(date +%s%N) - start) / 1000000 ))
  stop "$runner" "$exe"
  echo "$elapsed"
}
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

base_times=() strip_times=()
for _ in $(seq 1 "$runs"); do
  base_times+=("$(startup startup_baseline.exe StartupBaseline)")
  strip_times+=("$(startup Vandrel.exe Form1)")
done
base_start=$(printf '%s\n' "${base_times[@]}" | median)
strip_start=$(printf '%s\n' "${strip_times[@]}" | median)

baseline=$(measure idle_baseline.exe)
strip=$(measure Vandrel.exe)
read -r _ base_cpu base_server <<<"$baseline"
read -r _ strip_cpu strip_server <<<"$strip"
echo "start-up, process start to window on screen (median of $runs runs):"
echo "  bare program: ${base_start} ms (${base_times[*]})"
echo "  clock strip:  ${strip_start} ms (${strip_times[*]})"
echo "  ratio: $(echo "scale=3; $strip_start / $base_start" | bc)"
echo "over ${seconds} s of idle:"
echo "  bare program: ${base_cpu} s CPU (+ ${base_server} s in wineserver)"
echo "  clock strip:  ${strip_cpu} s CPU (+ ${strip_server} s in wineserver)"
echo "  ratio (program + wineserver): $(echo "scale=3; ($strip_cpu + $strip_server) / ($base_cpu + $base_server)" | bc)"
