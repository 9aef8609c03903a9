#!/usr/bin/env bash
# scripts/check-skips on made-up ctest logs: a skip it must refuse fails it, an accepted one
# does not, "local" reasons count only outside CI, and a failure is never read as a skip.
# usage: check_skips_test.sh CHECK_SKIPS
set -euo pipefail
CHECK=$1
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cat >"$WORK/allowed" <<'LIST'
# comment
anywhere needs a GPU
local no tmpfs can be mounted here
LIST

# One ctest log holding one binary's output with the given skip reason ("" for none).
make_log() {
  mkdir -p "$WORK/build/Testing/Temporary"
  {
    echo "1/1 Testing: test_one"
    echo "1/1 Test: test_one"
    echo 'Command: "/bin/true"'
    echo "Output:"
    echo "----------------------------------------------------------"
    echo "[ RUN      ] Suite.Runs"
    echo "[       OK ] Suite.Runs (1 ms)"
    echo "[ RUN      ] Suite.Skips"
    if [ -n "$1" ]; then
      echo "/src/Test.cpp:12: Skipped"
      echo "$1"
      echo ""
      echo "[  SKIPPED ] Suite.Skips (0 ms)"
    else
      echo "[       OK ] Suite.Skips (0 ms)"
    fi
    echo "<end of output>"
    echo "Test time =   0.01 sec"
  } >"$WORK/build/Testing/Temporary/LastTest.log"
}
accepts() { make_log "$1"; env -u CI "$CHECK" "$WORK/build" "$WORK/allowed" >"$WORK/out" 2>&1 || fail "refused: $1: $(cat "$WORK/out")"; }
refuses() { make_log "$1"; "$CHECK" "$WORK/build" "$WORK/allowed" >"$WORK/out" 2>&1 && fail "accepted: $1: $(cat "$WORK/out")"; true; }

accepts ""
accepts "needs a GPU here"
refuses "pulseaudio could not be started"
grep -q "SKIPPED BUT REQUIRED: test_one: Suite.Skips: pulseaudio could not be started" "$WORK/out" \
  || fail "the refused case is not named: $(cat "$WORK/out")"
accepts "no tmpfs can be mounted here"
make_log "no tmpfs can be mounted here"
CI=true "$CHECK" "$WORK/build" "$WORK/allowed" >"$WORK/out" 2>&1 && fail "CI accepted a local-only skip"
# A skip without a reason is refused, not taken for the next case's text.
make_log " "
"$CHECK" "$WORK/build" "$WORK/allowed" >"$WORK/out" 2>&1 && fail "a skip without a reason was accepted"
# A malformed list is an error, not an empty list.
echo "sometimes flaky" >>"$WORK/allowed"
make_log "needs a GPU here"
"$CHECK" "$WORK/build" "$WORK/allowed" >"$WORK/out" 2>&1 && fail "a malformed list was accepted"
echo PASS
