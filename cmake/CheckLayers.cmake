# Fails when a file includes from a floor above its own. The game's folders stand
# in this order, lowest first; each may include its own folder, the folders below
# it and the platform layer's portable parts, never a folder above it:
#   world    the globals, the object lists' rules, what play asks of the world
#   core     vectors, the base of every actor, weapon kinds, the random generator
#   effects  sparks and the starfield
#   player   the ship, its power-ups and the factories' declarations
#   enemies  the enemy ships
#   weapons  every shot and what it touches
#   hud      the status display and its message line
#   shop     the shop
#   app      start-up, the frame update and waves, the factories, the main loop
# The platform layer stands below them all and includes no game folder. Its
# portable parts (src/platform/*.h, audio/) include no backend; a backend folder
# includes the portable parts and itself, never another backend.
cmake_policy(VERSION 3.22)
set(floors world core effects player enemies weapons hud shop app)
set(backends sdl headless win32 web)

# The backend folder a path under src/ lies in, or nothing.
function(backend_of path out)
  set(name "")
  if(path MATCHES "^platform/([^/]+)/")
    if(CMAKE_MATCH_1 IN_LIST backends)
      set(name ${CMAKE_MATCH_1})
    endif()
  endif()
  set(${out} "${name}" PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE files ${SOURCE_DIR}/src/*.h ${SOURCE_DIR}/src/*.cpp)
set(offences "")
foreach(f IN LISTS files)
  file(RELATIVE_PATH rel ${SOURCE_DIR}/src ${f})
  string(REGEX MATCH "^[^/]+" top "${rel}")
  backend_of("${rel}" own_backend)
  list(FIND floors ${top} own_floor)
  if(own_floor EQUAL -1 AND NOT top STREQUAL "platform")
    continue()
  endif()
  file(STRINGS ${f} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"]+\"")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" target "${line}")
    string(REGEX MATCH "^[^/]+" target_top "${target}")
    backend_of("${target}" target_backend)
    list(FIND floors ${target_top} target_floor)
    # An entry point (app/main.cpp, a backend's main.cpp or WinMain.cpp) joins the game and a backend;
    # nothing else of the game may choose a backend, nor the platform include the game.
    string(REGEX MATCH "(^app/main|^platform/[^/]+/(main|WinMain))\\.cpp$" entry "${rel}")
    if(target_backend AND NOT target_backend STREQUAL own_backend AND NOT entry)
      list(APPEND offences "${rel} includes ${target}")
    elseif(NOT target_floor EQUAL -1 AND NOT entry AND (own_floor EQUAL -1 OR target_floor GREATER own_floor))
      list(APPEND offences "${rel} includes ${target}")
    endif()
  endforeach()
endforeach()
if(offences)
  list(JOIN offences "\n  " text)
  message(FATAL_ERROR "Includes that go up the order of floors (see cmake/CheckLayers.cmake):\n  ${text}")
endif()
file(TOUCH ${STAMP})
