# The game on weston: with a seat, without one, and without one or an X display.
set(game ${BINARY_DIR}/glintwake)
set(work ${BINARY_DIR}/tests/display/Wayland)
execute_process(
  COMMAND bash ${SOURCE_DIR}/tests/display/run_wayland.sh ${game} ${work}
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "Wayland failed (${result}); output in ${work}")
endif()
