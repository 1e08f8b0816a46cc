# The real game whose window another program destroys: status 0.
set(game ${BINARY_DIR}/glintwake)
set(work ${BINARY_DIR}/tests/display/GameWindowClosed)
execute_process(
  COMMAND bash ${SOURCE_DIR}/tests/display/run_game.sh ${game} ${work} window-closed
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "GameWindowClosed failed (${result}); output in ${work}")
endif()
