# A tap of Escape shorter than a frame ends the game on the real window.
set(game ${BINARY_DIR}/glintwake)
set(work ${BINARY_DIR}/tests/display/EscapeTap)
execute_process(
  COMMAND bash ${SOURCE_DIR}/tests/display/run_escape_tap.sh ${game} ${work}
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "EscapeTap failed (${result}); output in ${work}")
endif()
