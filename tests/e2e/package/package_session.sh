#!/usr/bin/env bash
# A Debian package of Vocalino (scripts/package's Release .deb in CI), unpacked with dpkg-deb -x
# into an empty root, checked for what a family would get: the layout, the licence and
# changelog, the package's relations, the menu entry, the software-centre description, and
# the installed program (START, type, SPEAK, speech at the sink, a refused second copy,
# CANCEL). usage: package_session.sh DEB SPEAK_SESSION_SCRIPT OUTDIR
set -euo pipefail
deb=$1
SPEAK_SESSION=$2
OUT=$3
mkdir -p "$OUT"
source "$(dirname "$0")/../session.sh"

echo "package: $(basename "$deb"), $(du -k "$deb" | cut -f1) KB"
root="$WORK/root"
mkdir -m 755 "$root"
dpkg-deb -x "$deb" "$root"

# The layout.
for f in usr/bin/vocalino usr/bin/vocalino-say usr/lib/vocalino/vocalino-main.so \
         usr/share/vocalino/audio/start.wav usr/share/vocalino/help/Vocalino.chm \
         usr/share/applications/vocalino.desktop usr/share/metainfo/org.example.vocalino.metainfo.xml \
         usr/share/icons/hicolor/scalable/apps/vocalino.svg \
         usr/share/man/man1/vocalino.1.gz usr/share/man/man1/vocalino-say.1.gz \
         usr/share/doc/vocalino/copyright usr/share/doc/vocalino/changelog.gz \
         usr/share/lintian/overrides/vocalino; do
  [ -s "$root/$f" ] || fail "the package has no $f"
done
for size in 16 22 24 32 48 64 128 256; do
  icon="$root/usr/share/icons/hicolor/${size}x${size}/apps/vocalino.png"
  [ "$(identify -format '%wx%h' "$icon" 2>/dev/null)" = "${size}x${size}" ] || fail "no ${size} pixel icon"
done
# Nothing of the build tree leaks into the package.
# (Each listing is read whole: under pipefail a grep -q that quits early fails the pipe.)
files=$(find "$root" -type f)
if grep -q -e '/build/' -e 'test_' -e 'bench_' -e 'fuzz_' <<<"$files"; then
  fail "the package carries build or test files: $(find "$root" -type f | grep -e '/build/' -e 'test_' | head -3)"
fi
desktop-file-validate "$root/usr/share/applications/vocalino.desktop" || fail "the menu entry is not valid"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.example.vocalino.metainfo.xml" >"$OUT/appstream.log" 2>&1 \
  || { cat "$OUT/appstream.log"; fail "the metainfo is not valid"; }
grep -qF 'list\-voices' <<<"$(zcat "$root/usr/share/man/man1/vocalino-say.1.gz")" || fail "vocalino-say's manual page"
# The licence in Debian's machine-readable form, and a changelog naming this version.
head -1 "$root/usr/share/doc/vocalino/copyright" | grep -qF 'copyright-format/1.0' || fail "copyright is not machine-readable"
grep -qx 'License: GPL-3.0-or-later' "$root/usr/share/doc/vocalino/copyright" || fail "copyright names no GPL-3.0-or-later"
version=$(dpkg-deb -f "$deb" Version)
grep -qF "vocalino ($version)" <<<"$(zcat "$root/usr/share/doc/vocalino/changelog.gz" | sed -n 1p)" \
  || fail "the changelog's first entry is not version $version"

# The package's relations: the libraries found by dpkg-shlibdeps and what the program reads.
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6multimedia6 libespeak-ng1 libsndfile1 libchm1 fonts-comic-neue \
              espeak-ng-data libflite1; do
  grep -q "\b$needed\b" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
# Large or not always wanted: recommended, not required.
recommends=$(dpkg-deb -f "$deb" Recommends)
for wanted in 'pipewire-pulse | pulseaudio' 'fonts-noto-cjk' 'libreoffice-writer-nogui | libreoffice-writer'; do
  grep -qF "$wanted" <<<"$recommends" || fail "Recommends lacks $wanted: $recommends"
  grep -qF "${wanted%% *}" <<<"$depends" && fail "Depends still requires ${wanted%% *}: $depends"
done

# The installed program speaks; its folder is found from its own place. The CJK fonts are only
# recommended, so it runs here as where they are not installed: fontconfig does not see them.
cat >"$WORK/fonts.conf" <<'CONF'
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <include ignore_missing="no">/etc/fonts/fonts.conf</include>
  <selectfont><rejectfont><glob>*/*CJK*</glob></rejectfont></selectfont>
</fontconfig>
CONF
export FONTCONFIG_FILE="$WORK/fonts.conf"
[ "$(fc-list | grep -ci cjk)" = 0 ] || fail "the CJK fonts are still seen"
bash "$SPEAK_SESSION" "$root/usr/bin/vocalino" "$OUT/speak" || fail "the installed program did not speak"

# CANCEL on the start-up window ends the program.
start_xvfb
"$root/usr/bin/vocalino" >"$OUT/cancel.log" 2>&1 &
app=$!
pids+=($app)
wait_for_window $app "the installed program"
# The clown's icon, found beside the program's folder where no icon theme has it.
window=$(xdotool search --onlyvisible --pid $app | head -1)
icon=$(xprop -id "$window" _NET_WM_ICON) # whole: grep -q would end xprop early, failing the pipe
grep -q 'Icon (' <<<"$icon" || fail "the window has no icon"
xdotool mousemove 375 321 click 1 # CANCEL
for _ in $(seq 50); do kill -0 $app 2>/dev/null || break; sleep 0.1; done
kill -0 $app 2>/dev/null && fail "CANCEL did not end the program"
wait $app || fail "the program ended with status $? after CANCEL"
echo "PASS"
