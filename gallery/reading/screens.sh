#!/usr/bin/env bash
# Reading along under Xvfb (display :17): the program grabs the screen itself at each moment.
set -euo pipefail
Xvfb :17 -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb' EXIT
sleep 1
DISPLAY=:17 QT_QPA_PLATFORM=xcb "$BIN/gallery_reading" "$OUT/xvfb" # writes $OUT/xvfb/reading/
