# The real game without a display: status 1 and the text on standard error; the
# offscreen driver still runs when it is asked for.
set(game ${BINARY_DIR}/glintwake)
set(work ${BINARY_DIR}/tests/display/GameNoDisplay)
execute_process(
  COMMAND bash ${SOURCE_DIR}/tests/display/run_game.sh ${game} ${work} no-display
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "GameNoDisplay failed (${result}); output in ${work}")
endif()
