# The game installed into a private prefix (cmake --install), and built into a
# Debian package unpacked into a private root: each has every file in place and
# a valid desktop entry, and runs from another folder with its own images.
set(work ${BINARY_DIR}/tests/display/GameInstalled)
file(REMOVE_RECURSE ${work})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BINARY_DIR} --prefix ${work}/prefix
  OUTPUT_QUIET RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${result})")
endif()
execute_process(COMMAND cpack -G DEB --config ${BINARY_DIR}/CPackConfig.cmake -B ${work}/package
  OUTPUT_FILE ${work}/cpack.log RESULT_VARIABLE result)
file(GLOB debs ${work}/package/*.deb)
if(NOT result EQUAL 0 OR NOT debs)
  message(FATAL_ERROR "cpack -G DEB failed (${result}); see ${work}/cpack.log")
endif()
execute_process(COMMAND dpkg-deb -f ${debs} Depends OUTPUT_VARIABLE depends)
if(NOT depends MATCHES "libsdl2-2.0-0" OR NOT depends MATCHES "libsdl2-ttf" OR NOT depends MATCHES "fonts-")
  message(FATAL_ERROR "the package does not depend on SDL and fonts: ${depends}")
endif()
execute_process(COMMAND dpkg-deb -x ${debs} ${work}/root RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the package does not unpack (${result})")
endif()
foreach(prefix ${work}/prefix ${work}/root/usr)
  execute_process(
    COMMAND bash ${SOURCE_DIR}/tests/display/run_installed.sh ${prefix} ${work}/run
    RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "GameInstalled failed under ${prefix} (${result}); output in ${work}/run")
  endif()
endforeach()
