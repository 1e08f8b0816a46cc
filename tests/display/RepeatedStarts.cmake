# Start-up over and over on a private Xvfb, and one start traced for forks.
set(game ${BINARY_DIR}/glintwake)
set(work ${BINARY_DIR}/tests/display/RepeatedStarts)
execute_process(
  COMMAND bash ${SOURCE_DIR}/tests/display/run_repeated_starts.sh ${game} ${work}
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "RepeatedStarts failed (${result}); output in ${work}")
endif()
