#!/usr/bin/env bash
# Measures what the clock strip costs under Wine against two yardsticks that show the same clock
# in the same window: the floor (bench/idle/floor.cpp), the least a program must do with the
# strip's three timers, and the once-a-second clock (bench/idle/second_clock.cpp), woken by one
# timer just after each second begins. Beside the strip at rest it measures the strip with one
# time-of-day slot armed two hours ahead and the strip with one countdown of two hours armed
# (tests/win/helpers/strip_armed.cpp: the program's own windows and loop). Each run starts the
# five in turn, each alone, nothing else armed, the order rotating from run to run, and takes
# from each:
# - start-up: from starting the process to its window on screen, i.e. mapped on the X display, as
#   bench/idle/map_watch.c sees it: told by the display, not polled, which would take processor
#   time from the start it measures;
# - memory at rest, 5 s after the start: resident (VmRSS) and private (RssAnon);
# - over SECONDS (default 30) from then on, for the program and this prefix's wineserver:
#   - idle CPU: the time their threads ran, to the nanosecond (schedstat), as clock ticks would
#     round the once-a-second clock's few milliseconds away;
#   - wake-ups a second: voluntary context switches of all their threads, i.e. sleeps that
#     ended, counted by the kernel whatever else keeps the machine busy;
#   - the clock text's lag: when each repaint reached the display, in milliseconds after the
#     start of its second, as X damage to the window (bench/idle/damage_watch.c); a repaint
#     more than 900 ms into a second came early for the next and counts as negative lag;
#     and the repaints a second;
# - the DLLs it has mapped at rest.
# Each run first measures the wineserver's wake-ups and CPU with no program running, which the
# prefix's own services cause, and the wake-ups above it are printed too.
# Prints the medians of RUNS runs (default 5; the lags pooled over all runs, p50 and p95), their
# ratios against the floor and against the once-a-second clock, the stripped exe's size against
# 196,608 bytes, the DLLs that the strip has mapped at rest and the floor does not, and then the
# time-of-day firing latency of scripts/measure-firing-latency.sh over FIRINGS firings
# (VANDREL_FIRINGS, default 60; 0 leaves it out).
#   flock /tmp/vandrel-wine.lock scripts/measure-idle.sh [SECONDS] [RUNS]
# VANDREL_BUILD names another build folder of the win preset (default build/win); VANDREL_EXE
# measures another Vandrel.exe as the strip and VANDREL_ARMED_EXE another idle_strip_armed.exe
# as the armed strip, e.g. saved builds of an earlier version.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
runs=${2:-5}
firings=${VANDREL_FIRINGS:-60}
build=${VANDREL_BUILD:-build/win}
strip_exe=${VANDREL_EXE:-$build/Vandrel.exe}
armed_exe=${VANDREL_ARMED_EXE:-$build/idle_strip_armed.exe}
size_goal=196608
cmake --preset win -B "$build" >/dev/null
targets=(Vandrel idle_floor idle_second_clock idle_strip_armed)
(( firings > 0 )) && targets+=(firing_latency)
cmake --build "$build" --target "${targets[@]}" >/dev/null
work=$(mktemp -d)
cc -O2 -o "$work/map_watch" bench/idle/map_watch.c -lX11
cc -O2 -o "$work/damage_watch" bench/idle/damage_watch.c -lX11 -lXdamage
eval "$(scripts/wine-run --session-start)"
export WINEPREFIX=${VANDREL_WINEPREFIX:-${VANDREL_CACHE:-$HOME/.cache/vandrel}/wine}
trap 'scripts/wine-run --session-end; rm -rf "$work"' EXIT

status_kb() { awk -v key="$2:" '$1 == key { print $2 }' "/proc/$1/status"; } # pid, field
# "folder sleeps run-ns" of every thread of the given processes: the sleeps it has ended and the
# nanoseconds it has run so far. Read with the shell's own builtins, so that taking them starts
# no process; a thread that ends meanwhile, and so lacks either figure, is passed over.
thread_counts() {
  local pid task key value run rest sleeps
  for pid in "$@"; do
    for task in /proc/"$pid"/task/*; do
      sleeps="" run=""
      { while read -r key value; do
          [ "$key" = voluntary_ctxt_switches: ] && { sleeps=$value; break; }
        done <"$task/status"
        read -r run rest <"$task/schedstat"; } 2>/dev/null || true
      if [[ $sleeps =~ ^[0-9]+$ && $run =~ ^[0-9]+$ ]]; then echo "$task $sleeps $run"; fi
    done
  done
}
# before-file, after-file, pid -> "sleeps run-ns" of its threads between the two; a thread born
# in between counts from 0, one that ended in between is not seen (the programs keep theirs).
counts_between() {
  awk -v p="/proc/$3/" 'NR == FNR { s[$1] = $2; r[$1] = $3; next }
    index($1, p) == 1 { n += $2 - s[$1]; t += $3 - r[$1] } END { printf "%d %d\n", n, t }' "$1" "$2"
}
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
wait_ready() { # file, watcher pid
  until grep -q ready "$1"; do
    kill -0 "$2" 2>/dev/null || { echo "$(basename "$1"): the watcher could not listen" >&2; exit 1; }
    sleep 0.01
  done
}

# span in seconds, pids -> "cpu-ms wake-ups/s" for each process in turn: the CPU time and the
# sleeps ended of all its threads over the span from now, the CPU time scaled to SECONDS.
measure_interval() {
  local span=$1; shift
  thread_counts "$@" >"$work/counts.before"
  local from; from=$(now_ns)
  sleep "$span"
  thread_counts "$@" >"$work/counts.after"
  local to pid; to=$(now_ns)
  for pid in "$@"; do
    counts_between "$work/counts.before" "$work/counts.after" "$pid"
  done | awk -v ns=$(( to - from )) -v s="$seconds" '
    { printf "%s%.1f %.1f", (NR > 1 ? " " : ""), $2 / 1e6 * s * 1e9 / ns, $1 * 1e9 / ns } END { print "" }'
}

# path of the exe, window title, name -> "start-up-ms resident-kB private-kB cpu-ms
# wake-ups/s wineserver-cpu-ms wineserver-wake-ups/s repaints/s" on stdout; the lags of its
# repaints are added to $work/<name>.lags and the DLLs mapped at rest go into $work/<exe>.dlls
run_once() {
  local path=$1 title=$2 name=$3 argument=${4:-} pid= exe; exe=$(basename "$1")
  while shown "$title"; do sleep 0.1; done # the previous run's window is gone
  "$work/map_watch" "$title" >"$work/mapped" &
  local watcher=$!
  wait_ready "$work/mapped" "$watcher"
  local start; start=$(now_ns)
  scripts/wine-run "$path" $argument >/dev/null &
  local runner=$!
  wait "$watcher" || { echo "$exe: no window in 60 s" >&2; exit 1; }
  local startup=$(( ($(tail -1 "$work/mapped") - start) / 1000000 ))
  until [ -n "$pid" ]; do pid=$(session_pid "$exe") || true; [ -n "$pid" ] || sleep 0.05; done
  local rest_ns=$(( start + 5000000000 - $(now_ns) )) # sleep until 5 s after the start
  if (( rest_ns > 0 )); then sleep "$(echo "scale=3; $rest_ns / 1000000000" | bc)"; fi
  local resident private; resident=$(status_kb "$pid" VmRSS) private=$(status_kb "$pid" RssAnon)
  grep -oi '[^/]*\.dll$' "/proc/$pid/maps" | tr '[:upper:]' '[:lower:]' | sort -u >"$work/$exe.dlls"
  # The damage watch ends by itself as the interval does; it makes no work for Wine.
  "$work/damage_watch" "$title" "$seconds" >"$work/damage" &
  watcher=$!
  wait_ready "$work/damage" "$watcher"
  local counts; counts=$(measure_interval "$seconds" "$pid" "$(server_pid)")
  wait "$watcher" || { echo "$exe: the damage watch failed" >&2; exit 1; }
  stop "$runner" "$exe"
  grep -E '^-?[0-9]' "$work/damage" >>"$work/$name.lags" || true
  local repaints; repaints=$(sed -n 's/^# .*(\([0-9.]*\) a second).*/\1/p' "$work/damage")
  echo "$startup $resident $private $counts ${repaints:--}"
}

# The prefix's own services keep its wineserver waking with no program running; each run
# measures that first, over 5 s at most (it is steady), as "wineserver-cpu-ms wake-ups/s" into
# $work/idle, so that what each program adds to it can be told.
idle_prefix() {
  local title
  for title in IdleFloor IdleSecondClock Form1; do while shown "$title"; do sleep 0.1; done; done
  sleep 1 # the last program's exit has been seen through
  measure_interval $(( seconds < 5 ? seconds : 5 )) "$(server_pid)"
}

programs=(strip floor second armed countdown)
for run in $(seq 1 "$runs"); do
  idle_prefix >>"$work/idle"
  shift_by=$(( (run - 1) % ${#programs[@]} ))
  for which in "${programs[@]:shift_by}" "${programs[@]:0:shift_by}"; do
    case $which in
    floor) run_once "$build/idle_floor.exe" IdleFloor floor >>"$work/floor" ;;
    second) run_once "$build/idle_second_clock.exe" IdleSecondClock second >>"$work/second" ;;
    strip) run_once "$strip_exe" Form1 strip >>"$work/strip" ;;
    armed) run_once "$armed_exe" Form1 armed >>"$work/armed" ;;
    countdown) run_once "$armed_exe" Form1 countdown countdown >>"$work/countdown" ;;
    esac
  done
done

x86_64-w64-mingw32-strip -o "$work/Vandrel.exe" "$strip_exe"
size=$(stat -c %s "$work/Vandrel.exe")
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
percentile() { sort -g "$1" | awk -v p="$2" '{ v[NR] = $1 } END { i = int(p * NR + 0.999999); print NR ? v[i < 1 ? 1 : i] : "-" }'; }
# name, expression over a run's columns ($1 start-up … $8 repaints/s) -> its median over the runs
med() { awk "{ print $2 }" "$work/$1" | median; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (a == "-" || b == "-" || b == 0) print "-"; else printf "%.2f\n", a / b }'; }
mb() { awk -v k="$1" 'BEGIN { printf "%.1f\n", k / 1024 }'; }
s() { awk -v ms="$1" 'BEGIN { printf "%.3f\n", ms / 1000 }'; }
one() { awk -v v="$1" 'BEGIN { printf "%.1f\n", v }'; }
same() { echo "$1"; }
names=(floor second strip armed countdown)
# label, goal of strip/floor, formatter, expression: one row with every program and the ratios
row() {
  local label=$1 goal=$2 format=$3 expression=$4 name
  local -A v
  for name in "${names[@]}"; do v[$name]=$(med "$name" "$expression"); done
  printf '%-36s %9s %9s %9s %9s %9s %8s %5s %8s %8s %8s %8s\n' "$label" \
    "$($format "${v[floor]}")" "$($format "${v[second]}")" "$($format "${v[strip]}")" "$($format "${v[armed]}")" \
    "$($format "${v[countdown]}")" "$(ratio "${v[strip]}" "${v[floor]}")" "$goal" \
    "$(ratio "${v[floor]}" "${v[second]}")" "$(ratio "${v[strip]}" "${v[second]}")" \
    "$(ratio "${v[armed]}" "${v[second]}")" "$(ratio "${v[countdown]}" "${v[second]}")"
}
lag_row() { # label, percentile
  printf '%-36s %9s %9s %9s %9s %9s\n' "$1" "$(percentile "$work/floor.lags" "$2")" \
    "$(percentile "$work/second.lags" "$2")" "$(percentile "$work/strip.lags" "$2")" \
    "$(percentile "$work/armed.lags" "$2")" "$(percentile "$work/countdown.lags" "$2")"
}
early() { awk '$1 < 0 { n++ } END { print n + 0 " of " NR }' "$work/$1.lags"; }

echo "medians of $runs runs, rotated; idle over ${seconds} s; the armed strip has one time-of-day slot armed"
echo "2 h ahead, the countdown strip one countdown of 2 h, the others nothing; 1/s clock: bench/idle/second_clock.cpp"
printf '%-36s %9s %9s %9s %9s %9s %8s %5s %8s %8s %8s %8s\n' "" floor "1/s clock" strip armed countdown "strip/" "" \
  "floor/" "strip/" "armed/" "count/"
printf '%-36s %9s %9s %9s %9s %9s %8s %5s %8s %8s %8s %8s\n' "" "" "" "" "" "" floor goal "1/s" "1/s" "1/s" "1/s"
row "start-up to window on screen (ms)" 1.05 same '$1'
row "resident at rest, VmRSS (MB)" 1.25 mb '$2'
row "  private at rest, RssAnon (MB)" "" mb '$3'
row "idle CPU, program + wineserver (s)" 1.10 s '$4 + $6'
row "  program alone (s)" "" s '$4'
row "  wineserver (s)" "" s '$6'
row "wake-ups/s, program + wineserver" "" one '$5 + $7'
row "  program alone" "" one '$5'
row "  wineserver" "" one '$7'
idle_wakes=$(awk '{ print $2 }' "$work/idle" | median)
row "  above the prefix at rest" "" one "\$5 + \$7 - $idle_wakes"
row "repaints/s" "" same '$8'
lag_row "clock text lag p50 (ms)" 0.50
lag_row "clock text lag p95 (ms)" 0.95
printf '%-36s %9s %9s %9s %9s %9s\n' "  early for the next second" "$(early floor)" "$(early second)" "$(early strip)" \
  "$(early armed)" "$(early countdown)"
echo "the prefix at rest, no program running: wineserver $idle_wakes wake-ups/s," \
  "$(s "$(awk '{ print $1 }' "$work/idle" | median)") s CPU in ${seconds} s (medians)"
printf '%-36s %9s %9s %9s %9s %8s %5s\n' "stripped Vandrel.exe (bytes)" "" "" "$size" "" "$(ratio "$size" "$size_goal")" 1.00
echo "  (size ratio against $size_goal bytes)"
echo "per run (start-up ms, VmRSS kB, RssAnon kB, CPU ms, wake-ups/s, wineserver CPU ms, wineserver wake-ups/s,"
echo "repaints/s):"
for name in "${names[@]}"; do sed "s/^/  $name: /" "$work/$name"; done
sed "s/^/  prefix at rest: wineserver CPU ms, wake-ups\/s: /" "$work/idle"
echo "DLLs mapped at rest by the strip and not by the floor:"
echo "  $(comm -13 "$work/idle_floor.exe.dlls" "$work/Vandrel.exe.dlls" | tr '\n' ' ')"
if (( firings > 0 )); then
  echo "time-of-day firing latency, $firings firings (scripts/measure-firing-latency.sh):"
  VANDREL_BUILD=$build scripts/measure-firing-latency.sh "$firings" | sed 's/^/  /'
fi
