# The real game played by script: flying, firing, shield, teleport and a missile,
# each seen on the screen, and Escape ending it with status 0.
set(game ${BINARY_DIR}/glintwake)
set(work ${BINARY_DIR}/tests/display/GameScripted)
execute_process(
  COMMAND bash ${SOURCE_DIR}/tests/display/run_scripted_game.sh ${game} ${work}
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "GameScripted failed (${result}); screenshots and output in ${work}")
endif()
