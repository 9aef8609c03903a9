#!/usr/bin/env bash
# usage: drag_test.sh WINDOW_PROGRAM SCREENSHOT.png
# Starts a private X server without a window manager, shows the skinned test window, drags it
# by its top band and by its bottom-right corner, and checks where it ends up.
set -euo pipefail
program=$1
shot=$2
for tool in Xvfb xdotool import; do
  command -v $tool >/dev/null || { echo "missing $tool"; exit 1; }
done

source "$(dirname "$0")/../session.sh"
start_xvfb
export QT_QPA_PLATFORM=xcb

"$program" 100,100 >"$WORK/app.log" 2>&1 &
pids+=($!)
wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^Vocalino 5.0$' | head -1)

geometry() { eval "$(xdotool getwindowgeometry --shell "$wid")"; echo "$X $Y $WIDTH $HEIGHT"; }
# Shown at its full size before the first press.
full_size() { read -r _ _ w h < <(geometry); [ "$w" = 800 ] && [ "$h" = 572 ]; }
wait_until 10 "the window never reached 800x572" full_size
drag() { # drag FROM_X FROM_Y TO_X TO_Y, in screen pixels
  xdotool mousemove "$1" "$2"; sleep 0.2
  xdotool mousemove "$(( $1 + 1 ))" "$2"; sleep 0.2 # a move over the window marks the zone
  xdotool mousemove "$1" "$2"; sleep 0.2
  xdotool mousedown 1; sleep 0.2
  local steps=5
  for i in $(seq $steps); do
    xdotool mousemove "$(( $1 + ($3 - $1) * i / steps ))" "$(( $2 + ($4 - $2) * i / steps ))"; sleep 0.1
  done
  xdotool mouseup 1; sleep 0.4
}
fail() { echo "FAIL: $*"; cat "$WORK/app.log"; exit 1; }

read -r x y w h < <(geometry)
echo "start: $x $y ${w}x$h"
[ "$w" = 800 ] && [ "$h" = 572 ] || fail "window is ${w}x$h, not 800x572"

# Move: press 10 pixels (150 twips) below the top, in the drag band, and pull.
drag $(( x + 400 )) $(( y + 10 )) $(( x + 500 )) $(( y + 60 ))
read -r x2 y2 w2 h2 < <(geometry)
echo "moved: $x2 $y2 ${w2}x$h2"
[ "$x2" = $(( x + 100 )) ] && [ "$y2" = $(( y + 50 )) ] || fail "moved to $x2,$y2, expected $(( x + 100 )),$(( y + 50 ))"
[ "$w2" = "$w" ] && [ "$h2" = "$h" ] || fail "a move changed the size"

# Resize: press at the bottom-right corner and pull outwards.
drag $(( x2 + w2 - 2 )) $(( y2 + h2 - 2 )) $(( x2 + w2 + 58 )) $(( y2 + h2 + 38 ))
read -r x3 y3 w3 h3 < <(geometry)
echo "resized: $x3 $y3 ${w3}x$h3"
[ "$w3" = $(( w2 + 60 )) ] && [ "$h3" = $(( h2 + 40 )) ] || fail "resized to ${w3}x$h3, expected $(( w2 + 60 ))x$(( h2 + 40 ))"
[ "$x3" = "$x2" ] && [ "$y3" = "$y2" ] || fail "a corner resize moved the top-left corner"

# Resize by the left edge: the right edge stays.
drag $(( x3 + 1 )) $(( y3 + 300 )) $(( x3 + 41 )) $(( y3 + 300 ))
read -r x4 y4 w4 h4 < <(geometry)
echo "left edge: $x4 $y4 ${w4}x$h4"
[ "$x4" = $(( x3 + 40 )) ] && [ "$w4" = $(( w3 - 40 )) ] || fail "left edge drag gave $x4 ${w4}, expected $(( x3 + 40 )) $(( w3 - 40 ))"

xdotool mousemove 5 5
sleep 0.3
mkdir -p "$(dirname "$shot")"
import -window root "$shot"
echo "screenshot: $shot"
echo PASS
