# The real window under a private Xvfb: picture, scaling, focus and closing.
set(probe ${BINARY_DIR}/tests/window_probe)
if(NOT EXISTS ${probe})
  message(FATAL_ERROR "window_probe is not built: ${probe}")
endif()
set(work ${BINARY_DIR}/tests/display/WindowProbe)
execute_process(
  COMMAND bash ${SOURCE_DIR}/tests/display/run_window_probe.sh ${probe} ${work}
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "window probe failed (${result}); screenshot and output in ${work}")
endif()
