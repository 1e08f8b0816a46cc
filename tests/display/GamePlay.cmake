# The real game: stars on the screen, and Escape ends it with status 0.
set(game ${BINARY_DIR}/glintwake)
set(work ${BINARY_DIR}/tests/display/GamePlay)
execute_process(
  COMMAND bash ${SOURCE_DIR}/tests/display/run_game.sh ${game} ${work} play
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "GamePlay failed (${result}); output in ${work}")
endif()
