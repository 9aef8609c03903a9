#!/usr/bin/env bash
# The real program under Xvfb: START, open the help window, close the main window with
# Exit. The program must end with its help window closed, and a new start must be let in.
# usage: help_close_session.sh VOCALINO OUTDIR
set -euo pipefail
BIN=$1
OUT=$2
mkdir -p "$OUT"
source "$(dirname "$0")/../session.sh"
start_xvfb
export VOCALINO_REGISTRY="$WORK/registry"

# The id of the visible main window (800 by 572 pixels), empty while there is none.
main_window() {
  for id in $(xdotool search --onlyvisible --name '^Vocalino 5\.0$' 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$id")"
    [ "$WIDTH" = 800 ] && { echo "$id"; return; }
  done
  true
}
# Waits up to $2 tenths of a second for command $1 to print something; prints it.
wait_for() {
  for _ in $(seq "$2"); do
    found=$($1)
    [ -n "$found" ] && { echo "$found"; return; }
    sleep 0.1
  done
  true
}
help_window() { xdotool search --onlyvisible --name '^Vocalino 5\.0 Help$' 2>/dev/null | head -1; }
# Starts a copy (its process id in $app) and presses START.
launch() {
  "$BIN" >>"$OUT/vocalino.log" 2>&1 &
  app=$!
  pids+=($app)
  wait_for_window $app "the program"
  xdotool mousemove 205 321 click 1 # START
}

launch
first=$app
main=$(wait_for main_window 150)
[ -n "$main" ] || fail "no main window after START"
eval "$(xdotool getwindowgeometry --shell "$main")"
# Help and Exit sit in the main window's top row (form places 3180,600 and 300,600 twips).
xdotool mousemove $((X + 258)) $((Y + 49)) click 1
[ -n "$(wait_for help_window 100)" ] || fail "the help window did not open"
import -window root "$OUT/help-open.png"

# The help window opens over the main window (its type places it at 40,40): raise Main first.
xdotool windowraise "$main"
xdotool mousemove $((X + 66)) $((Y + 49))
main_under_pointer() { [ "$(xdotool getmouselocation --shell | sed -n 's/^WINDOW=//p')" = "$main" ]; }
wait_until 10 "the main window did not come over the help window" main_under_pointer
xdotool click 1 # Exit
for _ in $(seq 100); do kill -0 "$first" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$first" 2>/dev/null; then
  import -window root "$OUT/left-behind.png"
  fail "the program still runs after its main window closed (help window: '$(help_window)')"
fi
echo "the program ended with its main window"

launch
main=$(wait_for main_window 150)
[ -n "$main" ] || { import -window root "$OUT/second.png"; fail "a new start was not let in"; }
echo "PASS"
