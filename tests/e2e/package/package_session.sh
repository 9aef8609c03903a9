#!/usr/bin/env bash
# Packs this build tree with CPack (the Debian generator scripts/package uses), unpacks the
# package with dpkg -x into a temporary root and checks what a family would get: the
# layout, the package's relations, the menu entry, the software-centre description, and
# the installed program (START, type, SPEAK, speech at the sink, a refused second copy,
# CANCEL). usage: package_session.sh BUILD_DIR SPEAK_SESSION_SCRIPT OUTDIR
set -euo pipefail
BUILD=$1
SPEAK_SESSION=$2
OUT=$3
mkdir -p "$OUT"
source "$(dirname "$0")/../session.sh"

# gzip keeps the test quick; the generator and the package's contents are those of scripts/package.
(cd "$BUILD" && cpack -G DEB -B "$WORK/pack" -D CPACK_DEBIAN_COMPRESSION_TYPE=gzip >"$OUT/cpack.log" 2>&1) \
  || { cat "$OUT/cpack.log"; fail "cpack could not make the package"; }
deb=$(ls "$WORK"/pack/vocalino_*.deb)
echo "package: $(basename "$deb"), $(du -k "$deb" | cut -f1) KB"
root="$WORK/root"
dpkg-deb -x "$deb" "$root"

# The layout.
for f in usr/bin/vocalino usr/bin/vocalino-say usr/lib/vocalino/vocalino-main.so \
         usr/share/vocalino/audio/start.wav usr/share/vocalino/help/Vocalino.chm \
         usr/share/applications/vocalino.desktop usr/share/metainfo/org.example.vocalino.metainfo.xml \
         usr/share/icons/hicolor/scalable/apps/vocalino.svg \
         usr/share/man/man1/vocalino.1.gz usr/share/man/man1/vocalino-say.1.gz; do
  [ -s "$root/$f" ] || fail "the package has no $f"
done
for size in 16 22 24 32 48 64 128 256; do
  icon="$root/usr/share/icons/hicolor/${size}x${size}/apps/vocalino.png"
  [ "$(identify -format '%wx%h' "$icon" 2>/dev/null)" = "${size}x${size}" ] || fail "no ${size} pixel icon"
done
# Nothing of the build tree leaks into the package.
if find "$root" -type f | grep -q -e '/build/' -e 'test_' -e 'bench_' -e 'fuzz_'; then
  fail "the package carries build or test files: $(find "$root" -type f | grep -e '/build/' -e 'test_' | head -3)"
fi
desktop-file-validate "$root/usr/share/applications/vocalino.desktop" || fail "the menu entry is not valid"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.example.vocalino.metainfo.xml" >"$OUT/appstream.log" 2>&1 \
  || { cat "$OUT/appstream.log"; fail "the metainfo is not valid"; }
zcat "$root/usr/share/man/man1/vocalino-say.1.gz" | grep -qF 'list\-voices' || fail "vocalino-say's manual page"

# The package's relations: the libraries found by dpkg-shlibdeps and what the program reads.
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6multimedia6 libespeak-ng1 libsndfile1 libchm1 fonts-comic-neue \
              fonts-noto-cjk espeak-ng-data libflite1; do
  grep -q "\b$needed\b" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
grep -q 'libreoffice-writer-nogui | libreoffice-writer' <<<"$(dpkg-deb -f "$deb" Recommends)" \
  || fail "LibreOffice is not recommended"

# The installed program speaks; its folder is found from its own place.
bash "$SPEAK_SESSION" "$root/usr/bin/vocalino" "$OUT/speak" || fail "the installed program did not speak"

# CANCEL on the start-up window ends the program.
start_xvfb
"$root/usr/bin/vocalino" >"$OUT/cancel.log" 2>&1 &
app=$!
pids+=($app)
sleep 2
kill -0 $app 2>/dev/null || fail "the installed program did not stay up"
xdotool mousemove 375 321 click 1 # CANCEL
for _ in $(seq 50); do kill -0 $app 2>/dev/null || break; sleep 0.1; done
kill -0 $app 2>/dev/null && fail "CANCEL did not end the program"
wait $app || fail "the program ended with status $? after CANCEL"
echo "PASS"
