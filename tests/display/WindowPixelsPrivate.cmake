# No other local user can attach or read the window's shared-memory pixels.
set(probe ${BINARY_DIR}/tests/window_probe)
set(reader ${BINARY_DIR}/tests/shm_reader)
foreach(tool ${probe} ${reader})
  if(NOT EXISTS ${tool})
    message(FATAL_ERROR "not built: ${tool}")
  endif()
endforeach()
set(work ${BINARY_DIR}/tests/display/WindowPixelsPrivate)
execute_process(
  COMMAND bash ${SOURCE_DIR}/tests/display/run_window_pixels_private.sh ${probe} ${reader} ${work}
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "WindowPixelsPrivate failed (${result}); output in ${work}")
endif()
