# The installed layout: programs in bin/, the program's folder in share/vocalino/ (found by
# the program as ../share/vocalino from its own place, so any prefix works).
set(VOCALINO_DATA_DIR ${CMAKE_INSTALL_DATADIR}/vocalino)

install(TARGETS vocalino vocalino-say RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_BINARY_DIR}/bin/audio/start.wav DESTINATION ${VOCALINO_DATA_DIR}/audio)
install(FILES ${VOCALINO_HELP_FILE} DESTINATION ${VOCALINO_DATA_DIR}/help)
# The main window's library, found by the program as ../lib/vocalino beside it.
install(TARGETS vocalino-main LIBRARY DESTINATION lib/vocalino)
