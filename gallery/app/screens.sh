#!/usr/bin/env bash
# Screens of Start, Main and the clown under Xvfb (display :16), from one real session.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$OUT/app"
bash "$here/../../tests/e2e/app/speak_session.sh" "$BIN/vocalino" "$OUT/app/session"
for shot in start main speaking character; do
  convert "$OUT/app/session/$shot.png" -crop 1040x600+0+0 +repage "$OUT/app/xvfb_$shot.png"
done
