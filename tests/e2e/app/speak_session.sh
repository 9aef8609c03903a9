#!/usr/bin/env bash
# The real program under Xvfb with a private PulseAudio null sink: START, type, SPEAK,
# the status while speaking and after, the sound that reached the sink, the clown's
# shape and a refused second copy. usage: speak_session.sh VOCALINO OUTDIR
set -euo pipefail
BIN=$1
OUT=$2
mkdir -p "$OUT"
source "$(dirname "$0")/../session.sh"
start_xvfb
start_pulse

# The colour of one screen pixel as "r,g,b".
pixel() {
  convert "$1" -crop "1x1+$2+$3" +repage -depth 8 txt:- | sed -n 's/.*srgb(\([0-9,]*\)).*/\1/p;s/.*(\([0-9]*,[0-9]*,[0-9]*\)).*#.*/\1/p' | head -1
}
# How many pixels of the status label are of the given colour.
status_pixels() {
  convert "$1" -crop 100x24+349+385 +repage -fill black +opaque "$2" -fill white -opaque "$2" \
    -format "%[fx:int(mean*w*h+0.5)]" info:
}

parec -d test.monitor --raw --format=s16le --channels=1 --rate=22050 >"$WORK/heard.raw" &
pids+=($!)

# True once the screen's status label has more than 20 pixels of the colour; keeps the shot.
status_shows() {
  import -window root "$OUT/$2.png"
  [ "$(status_pixels "$OUT/$2.png" "$1")" -gt 20 ]
}

"$BIN" >"$OUT/vocalino.log" 2>&1 &
app=$!
pids+=($app)
wait_for_window $app "the program"
import -window root "$OUT/start.png"
xdotool mousemove 205 321 click 1 # START
wait_until 30 "no main window reading STOPPED in red after START" status_shows 'rgb(255,0,0)' main
kill -0 $app || fail "the program ended after START"

xdotool mousemove 250 220 click 1
xdotool type --delay 20 "Hello! I am Vocalino, the talking clown. Listen to me read this sentence."
xdotool mousemove 130 398 click 1 # SPEAK
wait_until 10 "status does not read SPEAKING in yellow" status_shows 'rgb(255,255,0)' speaking
wait_until 30 "status never came back to STOPPED in red" status_shows 'rgb(255,0,0)' after

kill "${pids[1]}" 2>/dev/null || true # the capture
wait "${pids[1]}" 2>/dev/null || true
peak=$(python3 -c "
import array,sys
a=array.array('h'); a.frombytes(open('$WORK/heard.raw','rb').read()[:(len(open('$WORK/heard.raw','rb').read())//2)*2])
print(max((abs(x) for x in a), default=0), len(a))")
set -- $peak
[ "$1" -gt 1000 ] || fail "no speech reached the sink (peak $1 over $2 samples)"
echo "speech reached the sink: peak $1 over $2 samples"

xdotool mousemove 296 108 click 1 # the character button
# The clown sits right of the main window; its corners are not part of its shape.
clown_shown() {
  import -window root "$OUT/character.png"
  [ "$(pixel "$OUT/character.png" $((808 + 106)) $((80 + 100)))" != "0,0,0" ]
}
wait_until 10 "the clown is not shown" clown_shown
corner=$(pixel "$OUT/character.png" 809 81)
[ "$corner" != "255,228,153" ] || fail "the clown's surround is drawn: the shape is not applied"
inside=$(pixel "$OUT/character.png" $((808 + 106)) $((80 + 100)))
[ "$inside" != "0,0,0" ] || fail "the clown is not shown ($inside)"

# A second copy is told and ends; the first keeps running.
"$BIN" >"$OUT/second.log" 2>&1 &
second=$!
wait_for_window $second "the second copy"
import -window root "$OUT/second.png"
xdotool key Return
for _ in $(seq 30); do kill -0 $second 2>/dev/null || break; sleep 0.2; done
kill -0 $second 2>/dev/null && fail "the second copy did not end"
kill -0 $app || fail "the first copy ended"
echo "PASS"
