# Command-line and example checks: add_test() calls (included by tests/CMakeLists.txt).

# The engine demo plays its scene and exits 0 only when everything came to rest above the ground.
add_test(NAME engine_demo COMMAND physplug-engine-demo)
set_tests_properties(engine_demo PROPERTIES TIMEOUT 120)

# Unit tests of the command line's own pieces (sources in host/cli, compiled into the program,
# so listed here again); test files mirror the source folders under tests/host/cli.
if(TARGET physplug-host)
  set(_cli_units body_pose cli_arguments csv_text glb_buffer host_texts mesh_recorder motion_recorder primitive_measure primitive_mesh printable scene_roles stream_decoder)
  set(_cli_sources)
  foreach(unit ${_cli_units})
    list(APPEND _cli_sources ${PROJECT_SOURCE_DIR}/host/cli/${unit}.cpp host/cli/${unit}_test.cpp)
  endforeach()
  list(APPEND _cli_sources ${PROJECT_SOURCE_DIR}/host/cli/help_text.cpp)  # the arguments' tests read the help
  physplug_test_suite(cli SOURCES ${_cli_sources} LIBS physplug_host)
endif()

# physplug-host: exit codes and messages, the trace, info, edit scripts, rendering, and every
# example scene played to its end with a trace and a glTF file checked by the Khronos validator
# (tools/gltf-validate, installed by scripts/setup test), so examples never rot.
if(TARGET physplug-host)
  set(_cli_check ${CMAKE_CURRENT_SOURCE_DIR}/cli/cli_check.sh)
  foreach(case exit_codes trace info edit joints replay threads render kinds examples_current help texts settings cloth
               setup_check)
    add_test(NAME cli_${case} COMMAND bash ${_cli_check} ${case} $<TARGET_FILE:physplug-host> ${PROJECT_SOURCE_DIR})
    set_tests_properties(cli_${case} PROPERTIES TIMEOUT 60)
  endforeach()
  # Hostile and unlucky input: tables of refused commands (hostile_check.sh).
  foreach(case outputs inputs plugin escapes edits crowd)
    add_test(NAME hostile_${case} COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/cli/hostile_check.sh ${case}
                  $<TARGET_FILE:physplug-host> ${PROJECT_SOURCE_DIR} $<TARGET_FILE:physplug>)
    set_tests_properties(hostile_${case} PROPERTIES TIMEOUT 120)
  endforeach()
    # Every scene in examples/ (the empty scene the edit scripts start from aside): a new example
  # is played by the test command without being listed anywhere (from the next configure on).
  file(GLOB _examples RELATIVE ${PROJECT_SOURCE_DIR}/examples ${PROJECT_SOURCE_DIR}/examples/*.json)
  list(REMOVE_ITEM _examples empty-scene.json)
  list(TRANSFORM _examples REPLACE "\\.json$" "")
  foreach(example ${_examples})
    add_test(NAME example_${example}
             COMMAND bash ${_cli_check} example $<TARGET_FILE:physplug-host> ${PROJECT_SOURCE_DIR} ${example})
    set_tests_properties(example_${example} PROPERTIES TIMEOUT 60)
  endforeach()
endif()
