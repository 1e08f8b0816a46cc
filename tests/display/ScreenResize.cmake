# The screen shrinks and grows under the game, in full screen and in window mode.
set(game ${BINARY_DIR}/glintwake)
set(work ${BINARY_DIR}/tests/display/ScreenResize)
execute_process(
  COMMAND bash ${SOURCE_DIR}/tests/display/run_screen_resize.sh ${game} ${work}
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "ScreenResize failed (${result}); output in ${work}")
endif()
