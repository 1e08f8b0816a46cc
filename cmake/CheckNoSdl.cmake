# Fails when anything under src/ but the SDL backend (platform/sdl/) and the entry
# point (app/main.cpp) includes an SDL header: the game, the platform layer's own
# types and the headless backend never see SDL.
file(GLOB_RECURSE files ${SOURCE_DIR}/src/*.h ${SOURCE_DIR}/src/*.cpp)
set(offenders "")
foreach(f IN LISTS files)
  if(f MATCHES "/src/platform/sdl/" OR f MATCHES "/src/app/main\\.cpp$")
    continue()
  endif()
  file(STRINGS ${f} hits REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](SDL2/)?SDL")
  if(hits)
    list(APPEND offenders ${f})
  endif()
endforeach()
if(offenders)
  message(FATAL_ERROR "SDL is included outside src/platform/sdl: ${offenders}")
endif()
file(TOUCH ${STAMP})
