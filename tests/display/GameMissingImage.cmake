# The real game with an image missing: the failure text and status 0.
set(game ${BINARY_DIR}/glintwake)
set(work ${BINARY_DIR}/tests/display/GameMissingImage)
execute_process(
  COMMAND bash ${SOURCE_DIR}/tests/display/run_game.sh ${game} ${work} missing-image
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "GameMissingImage failed (${result}); output in ${work}")
endif()
