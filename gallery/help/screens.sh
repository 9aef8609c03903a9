#!/usr/bin/env bash
# The help window as the help command opens it, on a real X display.
set -euo pipefail
display=:14
Xvfb $display -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb' EXIT
sleep 1
mkdir -p "$OUT/help/screens"
DISPLAY=$display QT_QPA_PLATFORM=xcb timeout 120 "$BIN/gallery_help" "$OUT/help/screens"
