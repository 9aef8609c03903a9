#!/usr/bin/env bash
# The program's start-up window needs Qt's own libraries only: the speech, audio, help and
# document stacks belong to the main window's library, loaded when START is clicked.
# usage: start_libraries.sh VOCALINO MAIN_WINDOW_LIBRARY
set -euo pipefail
needed() { readelf -d "$1" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'; }
program=$(needed "$1")
library=$(needed "$2")
echo "the program needs: $(echo $program)"
status=0
for heavy in libespeak-ng libflite libsndfile libchm libsonic libQt6Multimedia; do
  if grep -q "^$heavy" <<<"$program"; then
    echo "FAIL: the program itself needs $heavy"; status=1
  fi
done
for stack in libespeak-ng libsndfile libchm libQt6Multimedia; do
  grep -q "^$stack" <<<"$library" || { echo "FAIL: the main window's library does not need $stack"; status=1; }
done
exit $status
