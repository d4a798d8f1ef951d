# hl_add_qtest(<name> SOURCES <files...> LIBS <targets...>)
# One Qt Test executable, registered with CTest and run headless.
function(hl_add_qtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test hl_testsupport ${ARG_LIBS})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_FATAL_CRITICALS=0"
    TIMEOUT 300)
  if(ARG_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}")
  endif()
endfunction()
include(${CMAKE_CURRENT_LIST_DIR}/Subdirs.cmake)
