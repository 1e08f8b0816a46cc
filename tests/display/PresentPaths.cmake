# The picture written into the window equals the texture path's, pixel for pixel.
set(probe ${BINARY_DIR}/tests/window_probe)
if(NOT EXISTS ${probe})
  message(FATAL_ERROR "window_probe is not built: ${probe}")
endif()
set(work ${BINARY_DIR}/tests/display/PresentPaths)
execute_process(
  COMMAND bash ${SOURCE_DIR}/tests/display/run_present_paths.sh ${probe} ${work}
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "PresentPaths failed (${result}); screenshot and output in ${work}")
endif()
