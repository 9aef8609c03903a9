# Compiles the help project with chmcmd. chmcmd writes the folder it compiled in into the
# file's context map, so it runs in a folder of a fixed name (serialised by a lock) and no
# machine's build path ends up in the help file.
#   cmake -DSOURCE=<folder> -DOUTPUT=<file.chm> -DCHMCMD=<chmcmd> -P compile.cmake
set(work /tmp/vocalino-help/Vocalino)
file(LOCK /tmp/vocalino-help.lock GUARD PROCESS TIMEOUT 600 RESULT_VARIABLE locked)
if(NOT locked EQUAL 0)
  message(FATAL_ERROR "Could not take the help compile lock: ${locked}")
endif()
file(REMOVE_RECURSE ${work})
file(MAKE_DIRECTORY ${work})
file(GLOB_RECURSE sources RELATIVE ${SOURCE} ${SOURCE}/*)
foreach(source ${sources})
  if(NOT source MATCHES "^(CMakeLists.txt|compile.cmake)$")
    get_filename_component(dir ${work}/${source} DIRECTORY)
    file(COPY ${SOURCE}/${source} DESTINATION ${dir})
  endif()
endforeach()
execute_process(COMMAND ${CHMCMD} --no-html-scan Vocalino.hhp
  WORKING_DIRECTORY ${work} TIMEOUT 120 RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT result EQUAL 0 OR NOT EXISTS ${work}/Vocalino.chm)
  file(REMOVE_RECURSE ${work})
  message(FATAL_ERROR "chmcmd failed (${result}):\n${out}")
endif()
get_filename_component(outdir ${OUTPUT} DIRECTORY)
file(MAKE_DIRECTORY ${outdir})
file(COPY_FILE ${work}/Vocalino.chm ${OUTPUT}.part)
file(RENAME ${OUTPUT}.part ${OUTPUT})
file(REMOVE_RECURSE ${work})
