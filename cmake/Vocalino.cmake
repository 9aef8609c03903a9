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
    TIMEOUT 600
    # A skipped case shows in ctest's summary (the line is tests/support/TestMain's, written only
    # when nothing failed); scripts/test decides which skips a run may accept.
    SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\] [0-9]+ cases? skipped and none failed")
endfunction()

# vocalino_bench(NAME DEPS ...): one Google Benchmark binary from the sources of the current folder.
function(vocalino_bench name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  find_package(benchmark REQUIRED)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_executable(${name} ${sources})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}) # bench/support/ for every bench
  target_link_libraries(${name} PRIVATE benchmark::benchmark ${ARG_DEPS})
endfunction()

# vocalino_fuzz(NAME DEPS ...): one libFuzzer target from the sources of the current folder.
function(vocalino_fuzz name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  # scripts/fuzz builds only these, not the whole program with clang's sanitizers.
  if(NOT TARGET vocalino_fuzz_targets)
    add_custom_target(vocalino_fuzz_targets)
  endif()
  add_dependencies(vocalino_fuzz_targets ${name})
endfunction()

# vocalino_gallery(NAME DEPS ...): a program that writes pictures under the folder given as its argument.
function(vocalino_gallery name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS})
endfunction()
