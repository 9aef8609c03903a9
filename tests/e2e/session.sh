# Sourced by the end-to-end scripts: a private work folder removed on exit, fail(), a private
# X server on a free display and, where asked, a private PulseAudio server whose only sink is
# the null sink "test". Source it after `set -euo pipefail`; it sets WORK and `pids`.
WORK=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  [ -f "$WORK/pulse/pid" ] && kill "$(cat "$WORK/pulse/pid")" 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Sets DISPLAY to a new server (the server picks a free display) and XDG_RUNTIME_DIR to a
# private folder, where the program's single-copy lock lives.
start_xvfb() {
  local id=$RANDOM
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$WORK/display.$id" 2>"$WORK/xvfb.$id.log" &
  pids+=($!)
  for _ in $(seq 100); do [ -s "$WORK/display.$id" ] && break; sleep 0.1; done
  [ -s "$WORK/display.$id" ] || fail "Xvfb did not start: $(cat "$WORK/xvfb.$id.log")"
  export DISPLAY=":$(head -1 "$WORK/display.$id")"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  mkdir -p -m 700 "$WORK/runtime"
  export XDG_RUNTIME_DIR="$WORK/runtime"
}

# Sets PULSE_SERVER to a new server with the null sink "test" (its monitor: test.monitor).
start_pulse() {
  mkdir -p "$WORK/pulse"
  PULSE_RUNTIME_PATH="$WORK/pulse" pulseaudio -D -n --exit-idle-time=-1 --disallow-exit \
    --use-pid-file=yes --load="module-null-sink sink_name=test" \
    --load="module-native-protocol-unix socket=$WORK/pulse/native" >/dev/null 2>&1
  export PULSE_SERVER="unix:$WORK/pulse/native"
  for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
}

# Waits until the process PID shows a window (mapped), or fails naming WHAT.
# usage: wait_for_window PID WHAT [SECONDS]
wait_for_window() {
  timeout "${3:-30}" xdotool search --sync --onlyvisible --pid "$1" >/dev/null 2>&1 \
    || fail "$2 did not show a window within ${3:-30} s"
}

# Runs the command every tenth of a second until it succeeds, or fails naming WHAT.
# usage: wait_until SECONDS WHAT COMMAND...
wait_until() {
  local tenths=$(($1 * 10)) what=$2; shift 2
  for _ in $(seq "$tenths"); do "$@" && return 0; sleep 0.1; done
  fail "$what"
}
