# Runs the start-up and record-page benchmarks over a small household, so that their
# own checks (locate agrees with SQLite, the painted pixels equal a full decode, OK
# shows the found item, each step moves and paints) keep holding.
# cmake -DGENERATE=... -DRECORDS=... -DSTARTUP=... -DWORK=<dir> -P smoke.cmake
file(REMOVE_RECURSE "${WORK}")
function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  message("${out}${err}")
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed (${rc}): ${ARGN}")
  endif()
endfunction()
run("${GENERATE}" "${WORK}/household" 2100 60 5 12 6 0.02 0.05)
run("${RECORDS}" prepare --small "${WORK}/household" "${WORK}/records")
run("${RECORDS}" all --big "${WORK}/household" --records "${WORK}/records"
    --rounds 3 --visits 9 --searches 300)
run("${STARTUP}" --reps 1 --cold 1 "${WORK}/household")
file(REMOVE_RECURSE "${WORK}")
