#!/usr/bin/env bash
# Starts the built program under Wine, finds the strip from outside and checks that it sits
# flush with the top-right corner of the screen; saves a screenshot for a person to look at.
#   smoke.sh PATH/TO/Vandrel.exe SCREENSHOT_DIR
set -euo pipefail
exe=$1 shots=$2
source "$(dirname "$0")/session.sh"
mkdir -p "$shots"
xdotool mousemove 10 400 # no tooltip in the picture
"$here/scripts/wine-run" "$exe" &
program=$!
window=$(timeout 60 xdotool search --sync --name '^Form1$' | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$window")" # X Y WIDTH HEIGHT
screen_width=$(xdpyinfo | awk '/dimensions:/ { split($2, size, "x"); print size[1] }')
sleep 1.5 # the first clock ticks
import -window root "$shots/strip.png"
echo "strip at ${X},${Y} size ${WIDTH}x${HEIGHT}; screen width ${screen_width}; screenshot $shots/strip.png"
[ "$WIDTH" -eq 226 ] && [ "$HEIGHT" -eq 24 ] && [ $((X + WIDTH)) -eq "$screen_width" ] && [ "$Y" -eq 0 ]
