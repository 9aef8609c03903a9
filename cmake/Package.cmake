# The Debian package: libraries found by dpkg-shlibdeps, plus what the program reads at run
# time without linking it (fonts, espeak-ng's data, Flite's voices). Recommended rather than
# required: LibreOffice, which only opens word-processor documents; a sound server (Qt plays
# only through a PulseAudio-compatible one; without it the program says which package to
# add); and the CJK fonts, which are large (without them such letters show as boxes).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vocalino)
set(CPACK_PACKAGE_VENDOR "The Vocalino developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "talking clown that reads texts aloud for children")
set(CPACK_PACKAGE_DESCRIPTION "A child types, pastes or opens a text (plain text, rich text or a
word-processor document) and has it read aloud by a chosen voice, at the
speed and pitch of two sliders, with a cartoon clown that moves its mouth.
The reading can be paused, resumed, stopped and recorded into a sound file.
vocalino-say speaks from the command line with the same voices.")
set(CPACK_PACKAGE_CONTACT "The Vocalino developers <vocalino@example.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://vocalino.example.org")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "fonts-comic-neue, fonts-dejavu-core, fonts-liberation2, fonts-bebas-neue, fonts-noto-core, espeak-ng-data, libflite1")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
  "pipewire-pulse | pulseaudio, fonts-noto-cjk, libreoffice-writer-nogui | libreoffice-writer, hyphen-en-us")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
