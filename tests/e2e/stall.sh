#!/usr/bin/env bash
# The program held up (SIGSTOP to its process, as a busy machine would hold it) while a launch
# is armed for a time of day: held across no due second it starts nothing early; held across the
# launch's second it starts the launch once it runs again. Then a reminder for a second and a
# launch for the next, held from before the first until after both: once it runs again the
# reminder window opens and the program starts while it waits.
#   stall.sh Vandrel.exe probe.exe marker.exe WORK_DIR
set -euo pipefail
exe=$1 probe_exe=$2 marker_exe=$3 work=$4
source "$(dirname "$0")/session.sh"
run() { "$here/scripts/wine-run" "$@"; }
rm -rf "$work"
mkdir -p "$work"

stopped=""
fail() {
  [ -n "$stopped" ] && kill -CONT "$stopped" 2>/dev/null
  echo "FAIL: $*" >&2
  run "$probe_exe" >&2 || true
  exit 1
}
windows() { run "$probe_exe" | tr -d '\r'; }
wait_for() { # the probe line of the first visible window matching the pattern, within 15 s
  local line i
  for i in $(seq 1 60); do
    line=$(windows | grep -E -m1 "$1" || true)
    if [ -n "$line" ]; then echo "$line"; return 0; fi
    sleep 0.25
  done
  fail "nothing on screen matches '$1'"
}
# Clicks a dialog's client point (96-dpi layout); replaces the text of the focused box.
click_in() {
  local origin; origin=$(cut -d'|' -f4 <<<"$1")
  xdotool mousemove $((${origin%,*} + $2)) $((${origin#*,} + $3)) click 1
  sleep 0.2
}
retype() { xdotool key End; for _ in $(seq 1 4); do xdotool key BackSpace; done; xdotool type --delay 30 "$1"; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }
sleep_until_ms() { local left=$(($1 - $(now_ms))); [ "$left" -le 0 ] || sleep "$((left / 1000)).$(printf %03d $((left % 1000)))"; }

cp "$marker_exe" "$work/marker.exe"
marker=$work/marker.exe.ran
target_path=$(run winepath -w "$work/marker.exe" 2>/dev/null | tr -d '\r')

"$here/scripts/wine-run" "$exe" &
program=$!
# Read while the started shell replaces itself, the command line may be empty for a moment.
for _ in $(seq 1 20); do grep -qa 'Vandrel\.exe' "/proc/$program/cmdline" && break; sleep 0.05; done
grep -qa 'Vandrel\.exe' "/proc/$program/cmdline" || fail "process $program is not the program: $(tr '\0' ' ' <"/proc/$program/cmdline")"
strip=$(wait_for '^TkForm\|Form1\|')
IFS=, read -r sx sy _ _ <<<"$(cut -d'|' -f3 <<<"$strip")"
sleep 0.5

# 定时开启 from the context menu; the program's path and the time of day chosen.
xdotool mousemove $((sx + 40)) $((sy + 12)) click 3
wait_for '^#32768\|' >/dev/null
xdotool key --delay 80 Down Down Down Down Return
dialog=$(wait_for '^TkForm\|定时开启\|')
click_in "$dialog" 80 242 # Edit1, the path box
xdotool type --delay 20 "$target_path"
click_in "$dialog" 24 144 # RadioButton2: a time of day
# Far enough ahead that the typing and the confirmation are over well before it.
target_s=$(($(date +%s) + 18))
click_in "$dialog" 30 170  # ComboBox2, the hour
retype "$(date -d "@$target_s" +%-H)"
click_in "$dialog" 100 170 # ComboBox3, the minute
retype "$(date -d "@$target_s" +%-M)"
click_in "$dialog" 164 170 # ComboBox4, the second
retype "$(date -d "@$target_s" +%-S)"
click_in "$dialog" 124 284 # 开始
wait_for '^#32770\|.*\|定时打开程序已开始！$' >/dev/null
xdotool key Return
for _ in $(seq 1 40); do windows | grep -q '^#32770|' || break; sleep 0.25; done
armed_ms=$(now_ms)
target_ms=$((target_s * 1000))
[ $((target_ms - armed_ms)) -ge 7000 ] || fail "arming took too long: only $((target_ms - armed_ms)) ms left"
echo "armed $((target_ms - armed_ms)) ms ahead of the launch's second"

# Held for 3 s with the launch's second well ahead: nothing may start meanwhile or just after.
kill -STOP "$program"; stopped=$program
sleep 3
kill -CONT "$program"; stopped=""
sleep 1.5
[ ! -e "$marker" ] || fail "a stall with nothing due started the launch before its second"

# Held from before the launch's second until 3 s after it.
[ $(($(now_ms) + 500)) -lt "$target_ms" ] || fail "too late to stall across the launch's second"
kill -STOP "$program"; stopped=$program
sleep_until_ms $((target_ms + 3000))
[ ! -e "$marker" ] || fail "the launch started while the program was held"
kill -CONT "$program"; stopped=""
for _ in $(seq 1 40); do [ -e "$marker" ] && break; sleep 0.25; done
[ -e "$marker" ] || fail "the launch whose second passed during the stall never started"
echo "launch started $(( $(stat -c %Y "$marker") - target_s )) s after its second (the program was held until 3 s after it)"

# Arms the at-time slot of the dialog open at `$1` for the second `$2`; the hour, minute and
# second boxes at the client x positions `$3`, `$4`, `$5` and row `$6`; its confirm button at `$7`,`$8`.
arm_at() {
  click_in "$1" $3 $6; retype "$(date -d "@$2" +%-H)"
  click_in "$1" $4 $6; retype "$(date -d "@$2" +%-M)"
  click_in "$1" $5 $6; retype "$(date -d "@$2" +%-S)"
  click_in "$1" $7 $8
}
confirm_box() {
  wait_for "^#32770\|.*\|$1\$" >/dev/null
  xdotool key Return
  for _ in $(seq 1 40); do windows | grep -q '^#32770|' || break; sleep 0.25; done
}
rm -f "$marker"
reminder_s=$(($(date +%s) + 25))
xdotool mousemove $((sx + 40)) $((sy + 12)) click 3
wait_for '^#32768\|' >/dev/null
xdotool key --delay 80 Down Down Return # 定时提醒
dialog=$(wait_for '^TkForm\|定时消息\|')
click_in "$dialog" 40 240 # Memo1
xdotool type --delay 20 "stall"
click_in "$dialog" 16 96 # RadioButton2: a time of day
arm_at "$dialog" "$reminder_s" 24 88 152 122 132 348
confirm_box '定时消息提醒已开始！'
xdotool mousemove $((sx + 40)) $((sy + 12)) click 3
wait_for '^#32768\|' >/dev/null
xdotool key --delay 80 Down Down Down Down Return # 定时开启; its path and its time of day kept
dialog=$(wait_for '^TkForm\|定时开启\|')
arm_at "$dialog" $((reminder_s + 1)) 30 100 164 170 124 284
confirm_box '定时打开程序已开始！'
reminder_ms=$((reminder_s * 1000))
[ $(($(now_ms) + 1500)) -lt "$reminder_ms" ] || fail "arming took too long to stall before the reminder's second"
sleep_until_ms $((reminder_ms - 1000))
kill -STOP "$program"; stopped=$program
sleep_until_ms $((reminder_ms + 3000))
kill -CONT "$program"; stopped=""
wait_for '^TkForm\|消息提醒\|' >/dev/null
for _ in $(seq 1 40); do [ -e "$marker" ] && break; sleep 0.25; done
[ -e "$marker" ] || fail "the launch due a second after the reminder never started while the reminder waited"
windows | grep -q '^TkForm|消息提醒|' || fail "the reminder window closed by itself"
echo "after a stall across both: the reminder window is open and the launch started while it waits"
echo "e2e stall: passed"
