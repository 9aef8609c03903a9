#!/usr/bin/env bash
# Runs the Wayland test binary under weston's headless back end with a private PulseAudio
# null sink, and checks that speech reached the sink. usage: weston_session.sh BINARY OUTDIR
set -euo pipefail
BIN=$1
OUT=$2
mkdir -p "$OUT"
source "$(dirname "$0")/../session.sh"
start_pulse
mkdir -p -m 700 "$WORK/runtime"
export XDG_RUNTIME_DIR="$WORK/runtime"
weston --backend=headless-backend.so --socket=vocalino --idle-time=0 --width=1280 --height=1024 \
  >"$OUT/weston.log" 2>&1 &
pids+=($!)
wait_until 30 "weston did not start (see $OUT/weston.log)" test -S "$XDG_RUNTIME_DIR/vocalino"

parec -d test.monitor --raw --format=s16le --channels=1 --rate=22050 >"$WORK/heard.raw" &
capture=$!
pids+=($capture)
unset DISPLAY
WAYLAND_DISPLAY=vocalino QT_QPA_PLATFORM=wayland "$BIN" >"$OUT/test.log" 2>&1 \
  || { tail -40 "$OUT/test.log"; fail "the program did not pass under Wayland"; }
grep -q '^\[  PASSED  \]' "$OUT/test.log" || { cat "$OUT/test.log"; fail "no case passed"; }
grep -q 'SKIPPED' "$OUT/test.log" && { cat "$OUT/test.log"; fail "a case skipped under Wayland"; }
kill $capture 2>/dev/null || true
wait $capture 2>/dev/null || true
peak=$(python3 -c "
import array
data = open('$WORK/heard.raw', 'rb').read()
a = array.array('h'); a.frombytes(data[:len(data) // 2 * 2])
print(max((abs(x) for x in a), default=0), len(a))")
set -- $peak
[ "$1" -gt 1000 ] || fail "no speech reached the sink (peak $1 over $2 samples)"
echo "speech reached the sink under Wayland: peak $1 over $2 samples"
echo "PASS"
