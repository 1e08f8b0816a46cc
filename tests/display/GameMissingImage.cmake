# The real game with an image missing and no zenity: our own box with the failure
# text, closed by Return, and status 1.
set(game ${BINARY_DIR}/glintwake)
set(work ${BINARY_DIR}/tests/display/GameMissingImage)
execute_process(
  COMMAND bash ${SOURCE_DIR}/tests/display/run_game.sh ${game} ${work} missing-image
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "GameMissingImage failed (${result}); output in ${work}")
endif()
