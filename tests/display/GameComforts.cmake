# Pause, help, focus loss, window mode and a stopped process on the real window.
set(game ${BINARY_DIR}/glintwake)
set(work ${BINARY_DIR}/tests/display/GameComforts)
execute_process(
  COMMAND bash ${SOURCE_DIR}/tests/display/run_comforts.sh ${game} ${work}
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "GameComforts failed (${result}); output in ${work}")
endif()
