# Runs clang-format over the C++ files git tracks: MODE=fix rewrites them in
# place, MODE=check fails naming each file that clang-format would change.
#
#   cmake -DSOURCE_DIR=<top> -DCLANG_FORMAT=<program> -DMODE=fix|check -P cmake/Format.cmake

cmake_minimum_required(VERSION 3.25)

foreach(var SOURCE_DIR CLANG_FORMAT MODE)
  if(NOT ${var})
    message(FATAL_ERROR "${var} is not set")
  endif()
endforeach()

find_program(GIT git)
if(NOT GIT)
  message(FATAL_ERROR "git is needed to list the tracked files")
endif()
execute_process(COMMAND ${GIT} ls-files -- "*.cpp" "*.h"
                WORKING_DIRECTORY ${SOURCE_DIR}
                OUTPUT_VARIABLE tracked
                RESULT_VARIABLE listed)
if(NOT listed EQUAL 0)
  message(FATAL_ERROR "git ls-files failed in ${SOURCE_DIR}")
endif()
string(REGEX REPLACE "\n" ";" tracked "${tracked}")
set(files "")
foreach(file IN LISTS tracked)
  if(file AND EXISTS ${SOURCE_DIR}/${file})
    list(APPEND files ${file})
  endif()
endforeach()
list(LENGTH files count)

if(MODE STREQUAL "fix")
  execute_process(COMMAND ${CLANG_FORMAT} -i ${files}
                  WORKING_DIRECTORY ${SOURCE_DIR} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "clang-format failed")
  endif()
  message(STATUS "Formatted ${count} files")
elseif(MODE STREQUAL "check")
  execute_process(COMMAND ${CLANG_FORMAT} --dry-run ${files}
                  WORKING_DIRECTORY ${SOURCE_DIR}
                  RESULT_VARIABLE result
                  ERROR_VARIABLE complaints)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "clang-format failed:\n${complaints}")
  endif()
  string(REGEX MATCHALL "[^\n:]+:[0-9]+:[0-9]+: warning: code should be clang-formatted"
         lines "${complaints}")
  set(unformatted "")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE ":[0-9]+:[0-9]+: warning.*" "" file "${line}")
    list(APPEND unformatted ${file})
  endforeach()
  list(REMOVE_DUPLICATES unformatted)
  if(unformatted)
    list(JOIN unformatted "\n  " text)
    message(FATAL_ERROR "clang-format would change (run: cmake --build <build> --target format):\n  ${text}")
  endif()
  message(STATUS "${count} files are formatted")
else()
  message(FATAL_ERROR "MODE is fix or check, not ${MODE}")
endif()
