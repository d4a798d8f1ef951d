# hl_add_library(<name> [EXCLUDE <pattern>...] [PUBLIC <lib>...] [PRIVATE <lib>...])
# A static library of every .cpp and .h file in the current folder, read again at
# each build, but those matching an EXCLUDE pattern (a program's main, tests); the
# top of the tree is on its include path.
function(hl_add_library name)
  cmake_parse_arguments(ARG "" "" "EXCLUDE;PUBLIC;PRIVATE" ${ARGN})
  set(dir ${CMAKE_CURRENT_SOURCE_DIR})
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
  foreach(pattern IN LISTS ARG_EXCLUDE)
    file(GLOB excluded CONFIGURE_DEPENDS ${dir}/${pattern})
    if(excluded)
      list(REMOVE_ITEM sources ${excluded})
    endif()
  endforeach()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_PUBLIC} PRIVATE ${ARG_PRIVATE})
endfunction()

# What every test's environment adds in a sanitized build: undefined behaviour
# stops the test, and the leak check passes over the system libraries' own leaks.
function(hl_test_environment name)
  set(environment ${ARGN})
  if(HL_SANITIZE)
    list(APPEND environment "UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1"
         "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp")
  endif()
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${environment}")
endfunction()

# hl_add_qtest(<name> SOURCES <files...> LIBS <targets...> [LABELS <labels...>])
# One Qt Test executable, registered with CTest and run headless.
function(hl_add_qtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test hl_testsupport ${ARG_LIBS})
  add_test(NAME ${name} COMMAND ${name})
  hl_test_environment(${name} QT_QPA_PLATFORM=offscreen QT_FATAL_CRITICALS=0)
  set_tests_properties(${name} PROPERTIES TIMEOUT 300)
  if(ARG_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}")
  endif()
endfunction()

# hl_add_xvfb_test(<name> SOURCES <files...> LIBS <targets...>)
# A Qt Test executable run on a virtual 1024 x 768 X display through xvfb-run, one
# test at a time (label xvfb). Without xvfb-run it runs offscreen and skips itself.
function(hl_add_xvfb_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_LIBS})
  find_program(HL_XVFB_RUN xvfb-run)
  if(HL_XVFB_RUN)
    add_test(NAME ${name}
      COMMAND ${HL_XVFB_RUN} -a -s "-screen 0 1024x768x24" $<TARGET_FILE:${name}>)
    hl_test_environment(${name} QT_QPA_PLATFORM=xcb)
  else()
    add_test(NAME ${name} COMMAND ${name})
    hl_test_environment(${name} QT_QPA_PLATFORM=offscreen)
  endif()
  set_tests_properties(${name} PROPERTIES LABELS xvfb TIMEOUT 300 RUN_SERIAL TRUE)
endfunction()

include(${CMAKE_CURRENT_LIST_DIR}/Subdirs.cmake)
