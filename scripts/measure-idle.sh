#!/usr/bin/env bash
# Measures what the clock strip costs under Wine against the floor (bench/idle/floor.cpp): the
# least a program must do to show the same clock, with the same three timers. Each run starts
# the floor and the strip in turn, each alone (the order swaps from run to run), nothing armed,
# and takes from each:
# - start-up: from starting the process to its window on screen, i.e. mapped on the X display, as
#   bench/idle/map_watch.c sees it: told by the display, not polled, which would take processor
#   time from the start it measures;
# - memory at rest, 5 s after the start: resident (VmRSS) and private (RssAnon);
# - idle CPU: user + system time of the program plus this prefix's wineserver over SECONDS
#   (default 30) from then on;
# - the DLLs it has mapped at rest.
# Prints the medians of RUNS runs (default 5) and their ratios, the stripped exe's size against
# 196,608 bytes, and the DLLs that the strip has mapped at rest and the floor does not.
#   flock /tmp/vandrel-wine.lock scripts/measure-idle.sh [SECONDS] [RUNS]
# VANDREL_BUILD names another build folder of the win preset (default build/win); VANDREL_EXE
# measures another Vandrel.exe as the strip, e.g. a saved build of an earlier version.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
runs=${2:-5}
build=${VANDREL_BUILD:-build/win}
strip_exe=${VANDREL_EXE:-$build/Vandrel.exe}
size_goal=196608
cmake --preset win -B "$build" >/dev/null
cmake --build "$build" --target Vandrel idle_floor >/dev/null
work=$(mktemp -d)
cc -O2 -o "$work/map_watch" bench/idle/map_watch.c -lX11
eval "$(scripts/wine-run --session-start)"
export WINEPREFIX=${VANDREL_WINEPREFIX:-${VANDREL_CACHE:-$HOME/.cache/vandrel}/wine}
trap 'scripts/wine-run --session-end; rm -rf "$work"' EXIT

ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; } # user + system, in clock ticks
status_kb() { awk -v key="$2:" '$1 == key { print $2 }' "/proc/$1/status"; } # pid, field
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
stop() { # runner pid, exe: only what this run started
  local pid; pid=$(session_pid "$2")
  kill "$1" $pid 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}
shown() { xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
now_ns() { date +%s%N; }

# path of the exe, window title -> "start-up-ms resident-kB private-kB cpu-ticks server-ticks"
# on stdout, and the DLLs mapped at rest into $work/<exe>.dlls
run_once() {
  local path=$1 title=$2 pid= exe; exe=$(basename "$1")
  while shown "$title"; do sleep 0.1; done # the previous run's window is gone
  "$work/map_watch" "$title" >"$work/mapped" &
  local watcher=$!
  until grep -q ready "$work/mapped"; do
    kill -0 "$watcher" 2>/dev/null || { echo "map_watch could not listen" >&2; exit 1; }
    sleep 0.01
  done
  local start; start=$(now_ns)
  scripts/wine-run "$path" >/dev/null &
  local runner=$!
  wait "$watcher" || { echo "$exe: no window in 60 s" >&2; exit 1; }
  local startup=$(( ($(tail -1 "$work/mapped") - start) / 1000000 ))
  until [ -n "$pid" ]; do pid=$(session_pid "$exe") || true; [ -n "$pid" ] || sleep 0.05; done
  local rest_ns=$(( start + 5000000000 - $(now_ns) )) # sleep until 5 s after the start
  if (( rest_ns > 0 )); then sleep "$(echo "scale=3; $rest_ns / 1000000000" | bc)"; fi
  local resident private; resident=$(status_kb "$pid" VmRSS) private=$(status_kb "$pid" RssAnon)
  grep -oi '[^/]*\.dll$' "/proc/$pid/maps" | tr '[:upper:]' '[:lower:]' | sort -u >"$work/$exe.dlls"
  local server; server=$(server_pid)
  local cpu_start server_start; cpu_start=$(ticks "$pid") server_start=$(ticks "$server")
  sleep "$seconds"
  local cpu=$(( $(ticks "$pid") - cpu_start )) server_cpu=$(( $(ticks "$server") - server_start ))
  stop "$runner" "$exe"
  echo "$startup $resident $private $cpu $server_cpu"
}
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
column_median() { awk -v c="$2" '{ print $c }' "$1" | median; } # file, column
idle_median() { awk '{ print $4 + $5 }' "$1" | median; }         # program + wineserver
ratio() { echo "scale=3; $1 / $2" | bc; }

for run in $(seq 1 "$runs"); do
  if (( run % 2 )); then order=(floor strip); else order=(strip floor); fi
  for which in "${order[@]}"; do
    case $which in
    floor) run_once "$build/idle_floor.exe" IdleFloor >>"$work/floor" ;;
    strip) run_once "$strip_exe" Form1 >>"$work/strip" ;;
    esac
  done
done

hz=$(getconf CLK_TCK)
x86_64-w64-mingw32-strip -o "$work/Vandrel.exe" "$strip_exe"
size=$(stat -c %s "$work/Vandrel.exe")
mb() { echo "scale=1; $1 / 1024" | bc; }
s() { echo "scale=2; $1 / $hz" | bc; }
fs=$(column_median "$work/floor" 1) ss=$(column_median "$work/strip" 1)
fr=$(column_median "$work/floor" 2) sr=$(column_median "$work/strip" 2)
fp=$(column_median "$work/floor" 3) sp=$(column_median "$work/strip" 3)
fc=$(idle_median "$work/floor") sc=$(idle_median "$work/strip")
fcp=$(column_median "$work/floor" 4) scp=$(column_median "$work/strip" 4)
fcs=$(column_median "$work/floor" 5) scs=$(column_median "$work/strip" 5)

echo "medians of $runs runs, alternated; idle over ${seconds} s, nothing armed"
printf '%-40s %12s %12s %8s %8s\n' "" floor strip ratio goal
printf '%-40s %12s %12s %8s %8s\n' "start-up to window on screen (ms)" "$fs" "$ss" "$(ratio "$ss" "$fs")" "1.05"
printf '%-40s %12s %12s %8s %8s\n' "resident at rest, VmRSS (MB)" "$(mb "$fr")" "$(mb "$sr")" "$(ratio "$sr" "$fr")" "1.25"
printf '%-40s %12s %12s %8s %8s\n' "  private at rest, RssAnon (MB)" "$(mb "$fp")" "$(mb "$sp")" "$(ratio "$sp" "$fp")" ""
printf '%-40s %12s %12s %8s %8s\n' "idle CPU, program + wineserver (s)" "$(s "$fc")" "$(s "$sc")" "$(ratio "$sc" "$fc")" "1.10"
printf '%-40s %12s %12s %8s %8s\n' "  program alone (s)" "$(s "$fcp")" "$(s "$scp")" "" ""
printf '%-40s %12s %12s %8s %8s\n' "  wineserver (s)" "$(s "$fcs")" "$(s "$scs")" "" ""
printf '%-40s %12s %12s %8s %8s\n' "stripped Vandrel.exe (bytes)" "$size_goal" "$size" "$(ratio "$size" "$size_goal")" "1.00"
echo "per run (start-up ms, VmRSS kB, RssAnon kB, CPU ticks, wineserver ticks at $hz/s):"
paste -d '|' "$work/floor" "$work/strip" | sed 's/|/    strip: /; s/^/  floor: /'
echo "DLLs mapped at rest by the strip and not by the floor:"
echo "  $(comm -13 "$work/idle_floor.exe.dlls" "$work/Vandrel.exe.dlls" | tr '\n' ' ')"
