#!/usr/bin/env bash
# Hovers, presses and clicks the styled buttons in a real X server and keeps the screens.
set -euo pipefail
: "${BIN:?}" "${OUT:?}"
out="$OUT/button"
mkdir -p "$out"
display=:13
Xvfb $display -screen 0 640x480x24 >/dev/null 2>&1 &
xvfb=$!
log=$(mktemp)
cleanup() {
  [ -n "${app:-}" ] && kill "$app" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  rm -f "$log"
}
trap cleanup EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
QT_QPA_PLATFORM=xcb "$BIN/button_window" >"$log" 2>/dev/null &
app=$!
sleep 1.5
shot() { import -window root -crop 420x200+0+0 "$out/$1.png"; }
shot window
xdotool mousemove 50 24; sleep 0.3; shot hover-speak
xdotool mousedown 1; sleep 0.2; shot press-speak
xdotool mouseup 1; sleep 0.2
xdotool mousemove 63 134; sleep 0.3; shot hover-round
xdotool click 1; sleep 0.2
xdotool mousemove 285 135; sleep 0.3; shot hover-star
xdotool mousemove 170 75; click=1; xdotool click 1; sleep 0.2
xdotool mousemove 400 190; sleep 0.3; shot options
grep -q "Click SPEAK" "$log" && grep -q "MouseOnButton SPEAK 0" "$log" && grep -q "Click Option2 value=1" "$log" \
  && echo "button screens: clicks and hover reached the program" || { echo "button screens: events missing"; cat "$log"; exit 1; }
