#!/usr/bin/env bash
# The skinned test window on a real X server after being dragged and resized.
set -euo pipefail
bash "$(dirname "$0")/../../tests/e2e/skin/drag_test.sh" "$BIN/skin_window" "$OUT/skin/xvfb_window.png"
