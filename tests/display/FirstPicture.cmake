# The start-up timer of the side-by-side run on private Xvfbs.
set(timer ${BINARY_DIR}/tools/first_picture)
if(NOT EXISTS ${timer})
  message(FATAL_ERROR "first_picture is not built: ${timer}")
endif()
set(work ${BINARY_DIR}/tests/display/FirstPicture)
execute_process(
  COMMAND bash ${SOURCE_DIR}/tests/display/run_first_picture.sh ${timer} ${BINARY_DIR}/glintwake ${work}
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "first-picture timer failed (${result}); output in ${work}")
endif()
