# Fails when a product file includes a header from a folder on its own layer or
# on a layer above it. The layers are the list between the "layers" markers in
# README.md, highest first; folders on one line are siblings, and "platform/*"
# makes each subfolder of platform/ a sibling of its own.
#
#   cmake -DSOURCE_DIR=<top of the tree> [-DREADME=<file>] -P cmake/CheckLayers.cmake

cmake_minimum_required(VERSION 3.25)

if(NOT SOURCE_DIR)
  message(FATAL_ERROR "SOURCE_DIR is not set")
endif()
if(NOT README)
  set(README ${SOURCE_DIR}/README.md)
endif()

file(READ ${README} readme)
string(REGEX MATCH "<!-- layers -->(.*)<!-- /layers -->" found "${readme}")
if(NOT found)
  message(FATAL_ERROR "${README} has no layer list between <!-- layers --> and <!-- /layers -->")
endif()
string(REGEX REPLACE "\n" ";" lines "${CMAKE_MATCH_1}")

# Each folder gets the rank of its line: 0 for the lowest layer.
set(folders "")
set(rank 0)
list(REVERSE lines)
foreach(line IN LISTS lines)
  string(STRIP "${line}" line)
  if(line STREQUAL "" OR line MATCHES "^```")
    continue()
  endif()
  string(REGEX REPLACE "[ \t]+" ";" entries "${line}")
  foreach(entry IN LISTS entries)
    if(entry MATCHES "^(.+)/\\*$")
      file(GLOB children LIST_DIRECTORIES true RELATIVE ${SOURCE_DIR}
           ${SOURCE_DIR}/${CMAKE_MATCH_1}/*)
      foreach(child IN LISTS children)
        if(IS_DIRECTORY ${SOURCE_DIR}/${child})
          list(APPEND folders ${child})
          set(rank_${child} ${rank})
        endif()
      endforeach()
    elseif(IS_DIRECTORY ${SOURCE_DIR}/${entry})
      list(APPEND folders ${entry})
      set(rank_${entry} ${rank})
    else()
      message(FATAL_ERROR "The layer list names ${entry}, which is not a folder")
    endif()
  endforeach()
  math(EXPR rank "${rank} + 1")
endforeach()

# The folder an include path points into: its first part, or its first two
# when the first is split into siblings (platform/...).
function(folder_of path out)
  string(REGEX MATCH "^[^/]+" first "${path}")
  string(REGEX MATCH "^[^/]+/[^/]+" firstTwo "${path}")
  if(DEFINED rank_${firstTwo})
    set(${out} ${firstTwo} PARENT_SCOPE)
  else()
    set(${out} ${first} PARENT_SCOPE)
  endif()
endfunction()

set(problems "")
set(checked 0)
foreach(folder IN LISTS folders)
  file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${folder}/*.h
       ${SOURCE_DIR}/${folder}/*.cpp)
  foreach(source IN LISTS sources)
    file(STRINGS ${SOURCE_DIR}/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(include IN LISTS includes)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" path "${include}")
      if(NOT path MATCHES "/")
        continue() # beside the file itself
      endif()
      math(EXPR checked "${checked} + 1")
      folder_of("${path}" target)
      if(target STREQUAL folder)
        continue()
      elseif(NOT DEFINED rank_${target})
        list(APPEND problems "${source} includes ${path}: ${target} is not a product folder")
      elseif(rank_${target} EQUAL rank_${folder})
        list(APPEND problems "${source} includes ${path}: ${target} is a sibling of ${folder}")
      elseif(rank_${target} GREATER rank_${folder})
        list(APPEND problems "${source} includes ${path}: ${target} lies above ${folder}")
      endif()
    endforeach()
  endforeach()
endforeach()

if(problems)
  list(JOIN problems "\n  " text)
  message(FATAL_ERROR "Includes against the layers of README.md:\n  ${text}")
endif()
message(STATUS "${checked} includes across the layers point downward")
