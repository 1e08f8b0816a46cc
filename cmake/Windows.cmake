# The native Windows program, cross-compiled with mingw-w64 (see
# cmake/toolchains/mingw-w64.cmake): the Win32 backend, glintwake.exe with its
# icon and version information, the replay checker the Windows tests run under
# wine, and the zip and installer (target windows_packages).
enable_language(RC)

# The play harness draws real text with GDI here.
set(GLINTWAKE_FONT_BACKEND glintwake_win32)
set(GLINTWAKE_PLAY_FONTS ${CMAKE_SOURCE_DIR}/tools/replay/Win32Fonts.cpp)

file(GLOB WIN32_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/platform/win32/*.cpp)
list(FILTER WIN32_SOURCES EXCLUDE REGEX ".*/WinMain\\.cpp$")
add_library(glintwake_win32 STATIC ${WIN32_SOURCES})
target_link_libraries(glintwake_win32 PUBLIC glintwake_core gdi32 winmm user32)
target_compile_definitions(glintwake_win32 PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX)

# Everything but Windows' own DLLs linked in, so the program runs from a bare
# folder; symbols stripped, as a player has no use for them.
set(WINDOWS_STATIC_LINK -static -static-libgcc -static-libstdc++ -s)

# The icon, from the ship picture the image generator draws, in the sizes Explorer shows.
set(WINDOWS_GENERATED ${CMAKE_BINARY_DIR}/generated)
set(WINDOWS_ICON ${WINDOWS_GENERATED}/glintwake.ico)
set(WINDOWS_MANIFEST ${CMAKE_SOURCE_DIR}/cmake/windows/glintwake.manifest)
find_program(MAGICK_CONVERT convert REQUIRED)
add_custom_command(
  OUTPUT ${WINDOWS_ICON}
  COMMAND ${MAGICK_CONVERT} ${CMAKE_SOURCE_DIR}/data/glintwake.png -define icon:auto-resize=64,48,32,16 ${WINDOWS_ICON}
  DEPENDS ${CMAKE_SOURCE_DIR}/data/glintwake.png
  COMMENT "Making the program's icon")
configure_file(${CMAKE_SOURCE_DIR}/cmake/windows/glintwake.rc.in ${WINDOWS_GENERATED}/glintwake.rc @ONLY)
set_source_files_properties(${WINDOWS_GENERATED}/glintwake.rc PROPERTIES OBJECT_DEPENDS
  "${WINDOWS_ICON};${WINDOWS_MANIFEST}")

add_executable(glintwake WIN32 ${CMAKE_SOURCE_DIR}/src/platform/win32/WinMain.cpp ${WINDOWS_GENERATED}/glintwake.rc)
target_link_libraries(glintwake PRIVATE glintwake_win32)
target_link_options(glintwake PRIVATE ${WINDOWS_STATIC_LINK})

# Plays the golden replays on the headless game, to show Windows plays the same game.
add_executable(glintwake_replay_check ${CMAKE_SOURCE_DIR}/tools/replay/CheckReplays.cpp)
target_link_libraries(glintwake_replay_check PRIVATE glintwake_play)
target_link_options(glintwake_replay_check PRIVATE ${WINDOWS_STATIC_LINK})

find_program(MAKENSIS makensis)
add_custom_target(windows_packages
  COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_SOURCE_DIR} -DBINARY_DIR=${CMAKE_BINARY_DIR}
          -DPROGRAM=$<TARGET_FILE:glintwake> -DVERSION=${PROJECT_VERSION} -DICON=${WINDOWS_ICON}
          -DMAKENSIS=${MAKENSIS} -P ${CMAKE_SOURCE_DIR}/cmake/windows/Package.cmake
  DEPENDS glintwake ${WINDOWS_ICON}
  COMMENT "Packaging the zip and the installer")
