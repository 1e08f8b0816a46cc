# A replay shown in the real window by changed parts equals the same shown whole.
set(player ${BINARY_DIR}/tests/replay_window)
if(NOT EXISTS ${player})
  message(FATAL_ERROR "replay_window is not built: ${player}")
endif()
set(work ${BINARY_DIR}/tests/display/DamagePresents)
execute_process(
  COMMAND bash ${SOURCE_DIR}/tests/display/run_damage_presents.sh ${player}
          ${SOURCE_DIR}/tests/replays/weapons.replay ${work}
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "DamagePresents failed (${result}); output in ${work}")
endif()
