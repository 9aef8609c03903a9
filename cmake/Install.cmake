# The installed layout: programs in bin/, the program's folder in share/vocalino/ (found by
# the program as ../share/vocalino from its own place, so any prefix works).
set(VOCALINO_DATA_DIR ${CMAKE_INSTALL_DATADIR}/vocalino)

install(TARGETS vocalino vocalino-say RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_BINARY_DIR}/bin/audio/start.wav DESTINATION ${VOCALINO_DATA_DIR}/audio)
install(FILES ${VOCALINO_HELP_FILE} DESTINATION ${VOCALINO_DATA_DIR}/help)
# The main window's library, found by the program as ../lib/vocalino beside it.
install(TARGETS vocalino-main LIBRARY DESTINATION lib/vocalino)

# Debian's documentation of the package: the licence in its machine-readable form, the
# changelog compressed without a time stamp (so the package is reproducible), and the
# lintian overrides, each with its reason.
set(VOCALINO_PACKAGE_DIR ${PROJECT_SOURCE_DIR}/resources/package)
set(VOCALINO_CHANGELOG_GZ ${CMAKE_BINARY_DIR}/package/changelog.gz)
find_program(GZIP_FOR_CHANGELOG gzip REQUIRED)
add_custom_command(OUTPUT ${VOCALINO_CHANGELOG_GZ}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/package
  COMMAND ${GZIP_FOR_CHANGELOG} -9 -n -c ${VOCALINO_PACKAGE_DIR}/changelog > ${VOCALINO_CHANGELOG_GZ}
  DEPENDS ${VOCALINO_PACKAGE_DIR}/changelog
  COMMENT "Compressing the package's changelog")
add_custom_target(vocalino_changelog ALL DEPENDS ${VOCALINO_CHANGELOG_GZ})
install(FILES ${VOCALINO_PACKAGE_DIR}/copyright ${VOCALINO_CHANGELOG_GZ}
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vocalino)
install(FILES ${VOCALINO_PACKAGE_DIR}/lintian-overrides
  DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME vocalino)
