# The browser build (emcmake cmake): the game compiled to WebAssembly with the web
# backend, and the replay check for node. Included from the top level instead of
# the SDL backend and the desktop programs.

# SSE2 intrinsics of the portable parts map onto WebAssembly's 128-bit vectors;
# bulk memory makes the frame's clear and copies single instructions, not loops.
add_compile_options(-msimd128 -msse2 -mbulk-memory)
add_link_options(-mbulk-memory)

# --- The replay check under node: the headless harness reads the repository's
# Images/ and tests/replays/ straight from the host's file system.
add_library(glintwake_play_web STATIC ${CMAKE_SOURCE_DIR}/tools/replay/Harness.cpp
  ${CMAKE_SOURCE_DIR}/tools/replay/Replay.cpp ${CMAKE_SOURCE_DIR}/tools/replay/NoFonts.cpp)
target_include_directories(glintwake_play_web PUBLIC ${CMAKE_SOURCE_DIR}/tools)
target_link_libraries(glintwake_play_web PUBLIC glintwake_headless)
target_compile_definitions(glintwake_play_web PUBLIC GLINTWAKE_SOURCE_DIR="${CMAKE_SOURCE_DIR}")

add_executable(glintwake_replay_check ${CMAKE_SOURCE_DIR}/tools/replay/CheckReplays.cpp)
target_link_libraries(glintwake_replay_check PRIVATE glintwake_play_web)
target_link_options(glintwake_replay_check PRIVATE -sNODERAWFS=1 -sENVIRONMENT=node -sALLOW_MEMORY_GROWTH=1
  -sEXIT_RUNTIME=1)

# --- The game in the page: the web backend and its JavaScript, the images
# fetched beside it into the in-memory file system before the game starts.
file(GLOB WEB_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/platform/web/*.cpp)
list(FILTER WEB_SOURCES EXCLUDE REGEX ".*/main\\.cpp$")
add_library(glintwake_web STATIC ${WEB_SOURCES})
target_link_libraries(glintwake_web PUBLIC glintwake_core)
add_executable(glintwake ${CMAKE_SOURCE_DIR}/src/platform/web/main.cpp)
target_link_libraries(glintwake PRIVATE glintwake_web)
target_link_options(glintwake PRIVATE -sENVIRONMENT=web -sALLOW_MEMORY_GROWTH=1 -sEXIT_RUNTIME=0
  -sMODULARIZE=0 -sINVOKE_RUN=0 -sFORCE_FILESYSTEM=1
  "-sEXPORTED_RUNTIME_METHODS=['FS','callMain','HEAPU8']"
  "-sEXPORTED_FUNCTIONS=['_main','_malloc','_free']")

# --- The web backend's own rules, checked under node.
add_executable(glintwake_web_test ${CMAKE_SOURCE_DIR}/tests/web/WebBackendTest.cpp)
target_link_libraries(glintwake_web_test PRIVATE glintwake_web)
target_link_options(glintwake_web_test PRIVATE -sENVIRONMENT=node -sEXIT_RUNTIME=1)

# --- The static site (make web): the page, the program, the images, the icons,
# the manifest and the offline worker, in GLINTWAKE_WEB_DIR.
set(GLINTWAKE_WEB_DIR ${CMAKE_SOURCE_DIR}/build/web CACHE PATH "Where the web build's site is written")
file(GLOB WEB_PAGE_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/platform/web/page/*)
file(GLOB WEB_IMAGES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/Images/*.bmp)
add_custom_target(web_site
  COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_SOURCE_DIR} -DPROGRAM_DIR=$<TARGET_FILE_DIR:glintwake>
          -DOUT=${GLINTWAKE_WEB_DIR} -P ${CMAKE_SOURCE_DIR}/cmake/WebSite.cmake
  DEPENDS glintwake ${WEB_PAGE_FILES} ${WEB_IMAGES} ${CMAKE_SOURCE_DIR}/cmake/WebSite.cmake
  COMMENT "Writing the web site to ${GLINTWAKE_WEB_DIR}")
