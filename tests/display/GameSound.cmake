# The real game's sound through SDL's disk audio driver: sound while fire is held,
# silence after M, sound again after a second M; and with no usable audio driver
# the game runs silently without a word.
set(game ${BINARY_DIR}/glintwake)
set(work ${BINARY_DIR}/tests/display/GameSound)
execute_process(
  COMMAND bash ${SOURCE_DIR}/tests/display/run_sound_game.sh ${game} ${work}
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "GameSound failed (${result}); output and the recorded sound in ${work}")
endif()
