# vocalino_library(NAME folder-target DEPS ...): one library from every source in the current folder.
function(vocalino_library name)
  cmake_parse_arguments(ARG "" "" "DEPS;EXTRA" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS
    ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_library(${name} STATIC ${sources} ${ARG_EXTRA})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# vocalino_test(NAME DEPS ...): one GoogleTest binary from every source in the current folder, run headless.
function(vocalino_test name)
  cmake_parse_arguments(ARG "" "" "DEPS;EXTRA;ENV" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_executable(${name} ${sources} ${ARG_EXTRA})
  target_link_libraries(${name} PRIVATE vocalino_testsupport ${ARG_DEPS})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=0;UBSAN_OPTIONS=print_stacktrace=1;${ARG_ENV}"
    TIMEOUT 600)
endfunction()
