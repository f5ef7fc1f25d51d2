#!/usr/bin/env bash
# How long the first use of what loads late takes under Wine, from the input to the window on
# screen, in a program started afresh and at rest for 5 s:
# - the menu: a right-click on the strip;
# - a dialog: 定时闹钟 chosen in the menu, until 闹钟设置 shows;
# - the open-file dialog: 选择 clicked in 定时开启, until 打开 shows.
# With VANDREL_BEFORE_EXE (e.g. a saved build of an earlier version), that program and this one
# are measured in turn, the order swapping from run to run, and both columns are printed.
# Prints the medians of RUNS runs (default 5), in milliseconds.
#   flock /tmp/vandrel-wine.lock scripts/measure-first-use.sh [RUNS]
# VANDREL_BUILD names another build folder of the win preset (default build/win).
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
build=${VANDREL_BUILD:-build/win}
cmake --preset win -B "$build" >/dev/null
cmake --build "$build" --target Vandrel probe >/dev/null
eval "$(scripts/wine-run --session-start)"
work=$(mktemp -d)
program=""
trap '[ -n "$program" ] && kill "$program" 2>/dev/null; scripts/wine-run --session-end; rm -rf "$work"' EXIT

now_ns() { date +%s%N; }
visible() { xdotool search --onlyvisible --name "$1" 2>/dev/null || true; } # X windows, by title
# The probe's line of the first visible window whose line matches, waiting up to 15 s.
probe_line() {
  local line i
  for i in $(seq 1 60); do
    line=$(scripts/wine-run "$build/probe.exe" | tr -d '\r' | grep -E -m1 "$1" || true)
    [ -n "$line" ] && { echo "$line"; return; }
    sleep 0.25
  done
  echo "nothing on screen matches '$1'" >&2
  exit 1
}
# Milliseconds from now until a visible X window answers the test command, which is given the
# windows visible before the input; the input itself is the rest of the arguments.
time_until() {
  local test=$1; shift
  local before; before=$(xdotool search --onlyvisible --name '.*' 2>/dev/null | sort)
  local start; start=$(now_ns)
  "$@"
  until "$test" "$before"; do
    (( $(now_ns) - start < 15000000000 )) || { echo "no window after: $*" >&2; exit 1; }
    sleep 0.002
  done
  echo $(( ($(now_ns) - start) / 1000000 ))
}
new_window() { [ -n "$(comm -13 <(echo "$1") <(xdotool search --onlyvisible --name '.*' 2>/dev/null | sort))" ]; }
alarm_dialog() { [ -n "$(visible '^闹钟设置$')" ]; }
open_dialog() { [ -n "$(visible '^打开$')" ]; }
key() { xdotool key --delay 80 "$@"; sleep 0.3; }

# exe -> "menu-ms dialog-ms open-file-ms"
run_once() {
  scripts/wine-run "$1" >/dev/null 2>&1 &
  program=$!
  local strip; strip=$(probe_line '^TkForm\|Form1\|')
  local sx sy; IFS=, read -r sx sy _ <<<"$(cut -d'|' -f3 <<<"$strip")"
  sleep 5
  xdotool mousemove $((sx + 40)) $((sy + 12))
  sleep 2 # the pointer at rest: a tooltip that shows for it is on screen before the click
  local menu; menu=$(time_until new_window xdotool click 3)
  key Escape
  xdotool mousemove $((sx + 40)) $((sy + 12)) click 3
  sleep 0.5
  key Down Down Down
  local dialog; dialog=$(time_until alarm_dialog xdotool key Return)
  local alarm; alarm=$(probe_line '^TkForm\|闹钟设置\|')
  local cx cy; IFS=, read -r cx cy <<<"$(cut -d'|' -f4 <<<"$alarm")"
  xdotool mousemove $((cx + 172)) $((cy + 180)) click 1 # its 取消 button
  while [ -n "$(visible '^闹钟设置$')" ]; do sleep 0.1; done
  xdotool mousemove $((sx + 40)) $((sy + 12)) click 3
  sleep 0.5
  key Down Down Down Down Return # 定时开启
  local launch; launch=$(probe_line '^TkForm\|定时开启\|')
  IFS=, read -r cx cy <<<"$(cut -d'|' -f4 <<<"$launch")"
  xdotool mousemove $((cx + 191)) $((cy + 242)) # its 选择 button
  sleep 0.3
  local browse; browse=$(time_until open_dialog xdotool click 1)
  kill "$program" 2>/dev/null || true
  wait "$program" 2>/dev/null || true
  program=""
  while [ -n "$(visible '^Form1$')" ]; do sleep 0.1; done
  echo "$menu $dialog $browse"
}
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
column_median() { awk -v c="$2" '{ print $c }' "$1" | median; }

after=$build/Vandrel.exe
for run in $(seq 1 "$runs"); do
  if [ -n "${VANDREL_BEFORE_EXE:-}" ] && (( run % 2 )); then order=(before after); else order=(after before); fi
  for which in "${order[@]}"; do
    case $which in
    before) [ -n "${VANDREL_BEFORE_EXE:-}" ] && run_once "$VANDREL_BEFORE_EXE" >>"$work/before" ;;
    after) run_once "$after" >>"$work/after" ;;
    esac
  done
done

echo "first use, from the input to the window on screen (ms): medians of $runs runs"
printf '%-34s %8s %8s\n' "" before after
row() { printf '%-34s %8s %8s\n' "$1" "$([ -s "$work/before" ] && column_median "$work/before" "$2" || echo -)" "$(column_median "$work/after" "$2")"; }
row "menu (right-click on the strip)" 1
row "a dialog (定时闹钟 → 闹钟设置)" 2
row "the open-file dialog (选择 → 打开)" 3
echo "per run (menu, dialog, open-file):"
[ -s "$work/before" ] && sed 's/^/  before: /' "$work/before"
sed 's/^/  after:  /' "$work/after"
