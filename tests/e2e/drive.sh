#!/usr/bin/env bash
# Drives the real program from outside, as a person would: xdotool moves the mouse and types,
# the probe (probe.exe, run in the same prefix) reads what the desktop shows.
#   drive.sh SCENARIO Vandrel.exe probe.exe marker.exe WORK_DIR
# Scenarios:
#   Menu            a right-click on the label and on each button opens the menu at the pointer;
#                   a right-button drag ends with the menu at the release point; "关于软件"
#                   opens the about box
#   TypicalRequest  arm an alarm through the alarm dialog, stop it; arm one of 0 minutes, see it
#                   fire, stop it
#   LaunchAndExit   a 0-minute launch through the launch dialog starts a program; "退出软件"
#                   opens the home page and ends the program; the taskbar's Close ends it without
set -euo pipefail
scenario=$1 exe=$2 probe_exe=$3 marker_exe=$4 work=$5
source "$(dirname "$0")/session.sh"
run() { "$here/scripts/wine-run" "$@"; }

rm -rf "$work/$scenario"
mkdir -p "$work/$scenario"
work=$work/$scenario
shots=$(dirname "$work")/../screenshots
mkdir -p "$shots"
home_page=$(grep -o 'kHomePage = "[^"]*"' "$(dirname "$exe")/generated/BuildConfig.h" | cut -d'"' -f2)

fail() { echo "FAIL: $*" >&2; run "$probe_exe" >&2 || true; exit 1; }
windows() { run "$probe_exe" | tr -d '\r'; }
# The probe line of the first visible window whose line matches the pattern, waiting up to 15 s.
wait_for() {
  local line i
  for i in $(seq 1 60); do
    line=$(windows | grep -E -m1 "$1" || true)
    if [ -n "$line" ]; then echo "$line"; return 0; fi
    sleep 0.25
  done
  fail "nothing on screen matches '$1'"
}
wait_gone() {
  local i
  for i in $(seq 1 60); do
    windows | grep -q -E "$1" || return 0
    sleep 0.25
  done
  fail "still on screen: '$1'"
}
# Fields of a probe line: bounds "x,y,w,h" is field 3, client origin "x,y" field 4.
left_of() { cut -d'|' -f3 <<<"$1" | cut -d, -f1; }
top_of() { cut -d'|' -f3 <<<"$1" | cut -d, -f2; }
client_x() { cut -d'|' -f4 <<<"$1" | cut -d, -f1; }
client_y() { cut -d'|' -f4 <<<"$1" | cut -d, -f2; }
# Clicks a control of a dialog at the given client point (96-dpi layout).
click_in() { xdotool mousemove $(($(client_x "$1") + $2)) $(($(client_y "$1") + $3)) click "${4:-1}"; sleep 0.2; }
# Replaces the text of the edit box or combo box that has the focus.
retype() { xdotool key End; for _ in $(seq 1 12); do xdotool key BackSpace; done; xdotool type --delay 30 "$1"; }
key() { xdotool key --delay 80 "$@"; sleep 0.2; }

start_program() {
  # Started directly, not through a function, so that $! is the program's own process.
  VANDREL_URL_LOG="$work/urls.log" "$here/scripts/wine-run" "$exe" &
  program=$!
  strip=$(wait_for '^TkForm\|Form1\|')
  sx=$(left_of "$strip") sy=$(top_of "$strip")
  sleep 0.5
}
# Whether the menu opened at the screen point: to the right of and below it, or, where the screen
# ends, moved left or flipped above so that it stays whole on the screen and still covers it.
screen_width=""
menu_at() {
  local x y w h
  IFS=, read -r x y w h <<<"$(cut -d'|' -f3 <<<"$menu")"
  [ -n "$screen_width" ] || screen_width=$(xdpyinfo | awk '/dimensions:/ { split($2, size, "x"); print size[1] }')
  { [ "$x" -eq "$1" ] || { [ $((x + w)) -le "$screen_width" ] && [ "$x" -lt "$1" ] && [ $((x + w)) -ge "$1" ] &&
    [ $((x + w)) -gt $((screen_width - 4)) ]; } || [ $((x + w)) -eq "$1" ]; } &&
    { [ "$y" -eq "$2" ] || [ $((y + h)) -eq "$2" ]; }
}
# Right-clicks the strip at (dx, dy) and waits for the menu.
open_menu() {
  xdotool mousemove $((sx + $1)) $((sy + $2)) click 3
  menu=$(wait_for '^#32768\|')
}
# Answers a message box with this text by its OK button.
confirm_box() {
  local box
  box=$(wait_for "^#32770\|注意\|.*\|$1\$")
  xdotool key Return
  wait_gone "^#32770\|"
}
no_box_for() { # seconds: nothing but the strip may pop up meanwhile
  sleep "$1"
  if windows | grep -q -E '^#32770\|'; then fail "an unexpected box: $(windows | grep '^#32770')"; fi
}

case "$scenario" in
Menu)
  start_program
  for place in "40 12 label" "195 12 minimise" "215 12 close"; do
    set -- $place
    open_menu "$1" "$2"
    menu_at $((sx + $1)) $((sy + $2)) || fail "menu over the $3 not at the pointer $((sx + $1)),$((sy + $2)): $menu"
    [ "$3" = label ] && import -window root "$shots/menu.png"
    key Escape
    wait_gone '^#32768\|'
  done
  # A right-button drag: the strip follows while the pointer is over it, and the release opens
  # the menu there; the strip stays put while the menu is open.
  xdotool mousemove $((sx + 60)) $((sy + 12)) mousedown 3
  for step in 1 2 3 4 5; do xdotool mousemove $((sx + 60 - 4 * step)) $((sy + 12 + 2 * step)); sleep 0.05; done
  xdotool mouseup 3
  menu=$(wait_for '^#32768\|')
  moved=$(wait_for '^TkForm\|Form1\|')
  [ "$(left_of "$moved")" -lt "$sx" ] || fail "the strip did not follow the right-button drag"
  menu_at $((sx + 40)) $((sy + 22)) || fail "menu not at the release point $((sx + 40)),$((sy + 22)): $menu"
  xdotool mousemove 600 500
  sleep 0.3
  [ "$(wait_for '^TkForm\|Form1\|' | cut -d'|' -f3)" = "$(cut -d'|' -f3 <<<"$moved")" ] ||
    fail "the strip moved while the menu was open"
  key Escape
  wait_gone '^#32768\|'
  sx=$(left_of "$moved") sy=$(top_of "$moved")
  # 关于软件 is the tenth position, the eighth that can be chosen.
  open_menu 40 12
  key Down Down Down Down Down Down Down Down Return
  about=$(wait_for '^TkForm\|关于软件\|')
  click_in "$about" 200 188 # its 确定 button
  wait_gone '^TkForm\|关于软件\|'
  ;;
TypicalRequest)
  start_program
  for minutes in 1 0; do
    open_menu 40 12
    key Down Down Down Return # 定时闹钟
    dialog=$(wait_for '^TkForm\|闹钟设置\|')
    click_in "$dialog" 16 32  # RadioButton1: a countdown
    click_in "$dialog" 60 58  # ComboBox1
    retype "$minutes"
    [ "$minutes" = 1 ] && import -window root "$shots/alarm-dialog-e2e.png"
    click_in "$dialog" 108 180 # 开始
    confirm_box '闹钟定时已开始！'
    wait_gone '^TkForm\|闹钟设置\|'
    [ "$minutes" = 0 ] && sleep 2.5 # fires on the next second's tick
    open_menu 40 12
    key Down Down Down Down Down Right Return # 停止操作 › 停止闹钟
    if [ "$minutes" = 1 ]; then
      confirm_box '闹钟定时已关闭！' # still armed: disarmed and confirmed
    else
      no_box_for 1.5 # fired already: nothing to disarm, and the sounding alarm stops quietly
    fi
  done
  ;;
LaunchAndExit)
  mkdir -p "$work/launch dir"
  cp "$marker_exe" "$work/launch dir/marker.exe"
  target=$(run winepath -w "$work/launch dir/marker.exe" 2>/dev/null | tr -d '\r')
  start_program
  open_menu 40 12
  key Down Down Down Down Return # 定时开启
  dialog=$(wait_for '^TkForm\|定时开启\|')
  click_in "$dialog" 80 242 # Edit1, the path box
  retype "$target"
  click_in "$dialog" 24 72   # RadioButton1: a countdown
  click_in "$dialog" 60 98   # ComboBox1
  retype 0
  click_in "$dialog" 124 284 # 开始
  confirm_box '定时打开程序已开始！'
  for i in $(seq 1 40); do [ -e "$work/launch dir/marker.exe.ran" ] && break; sleep 0.25; done
  [ -e "$work/launch dir/marker.exe.ran" ] || fail "the launch started nothing"
  open_menu 40 12
  key Up Return # 退出软件, the last position
  for i in $(seq 1 40); do kill -0 "$program" 2>/dev/null || break; sleep 0.25; done
  ! kill -0 "$program" 2>/dev/null || fail "退出软件 did not end the program"
  program=""
  grep -q -x -F "$home_page" "$work/urls.log" 2>/dev/null || fail "退出软件 did not open the home page $home_page"
  # The taskbar entry's Close ends the program without the home page.
  rm -f "$work/urls.log"
  start_program
  run "$probe_exe" close TkApplication
  for i in $(seq 1 40); do kill -0 "$program" 2>/dev/null || break; sleep 0.25; done
  ! kill -0 "$program" 2>/dev/null || fail "the taskbar's Close did not end the program"
  program=""
  sleep 1
  [ ! -s "$work/urls.log" ] || fail "the taskbar's Close opened $(cat "$work/urls.log")"
  ;;
*)
  echo "unknown scenario $scenario" >&2
  exit 2
  ;;
esac
echo "e2e $scenario: passed"
