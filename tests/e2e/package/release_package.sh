#!/usr/bin/env bash
# The Release .deb as a family gets it: scripts/package makes it, lintian must find no error
# and no warning (overrides, each with its reason, sit in the package), then package_session.sh
# unpacks it into an empty root and the program from there speaks at a private sink.
# scripts/test --package runs this, as CI does. usage: release_package.sh [--no-setup]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
ROOT=$(cd "$here/../../.." && pwd)
"$ROOT/scripts/package" "$@"
deb=$(ls "$ROOT"/build/package/vocalino_*.deb)
out="$ROOT/build/package/check"
rm -rf "$out"
mkdir -p "$out"

echo "== lintian $(basename "$deb")"
lintian --fail-on error,warning "$deb" 2>&1 | tee "$out/lintian.log" \
  || { echo "FAIL: lintian found errors or warnings"; exit 1; }
echo "   lintian: no error, no warning; the package's overrides:"
# Listed apart: with overrides shown, lintian counts them against --fail-on.
lintian --show-overrides "$deb" 2>/dev/null | grep '^O:' | sed 's/^/   /' || true

echo "== the unpacked package"
bash "$here/package_session.sh" "$deb" "$ROOT/tests/e2e/app/speak_session.sh" "$out"
