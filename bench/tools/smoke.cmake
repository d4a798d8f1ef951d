# Runs the companion benchmark over a small household, so that its own checks (the
# archive verifies, the export writes every picture's bytes) keep holding.
# cmake -DGENERATE=... -DCOMPANION=... -DWORK=<dir> -P smoke.cmake
file(REMOVE_RECURSE "${WORK}")
function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  message("${out}${err}")
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed (${rc}): ${ARGN}")
  endif()
endfunction()
run("${GENERATE}" "${WORK}" 2100 60 5 12 6 0.02 0.05)
run("${COMPANION}" "${WORK}" --reps 1)
file(REMOVE_RECURSE "${WORK}")
