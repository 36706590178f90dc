# Test sources of this area (relative to tests/) and the libraries they link.
set(PHYSPLUG_TEST_SOURCES
  host/io/atomic_file_test.cpp
  host/io/base64_test.cpp
  host/io/input_file_test.cpp
  host/io/rich_scene.cpp
  host/io/scene_file_errors_test.cpp
  host/io/scene_file_test.cpp
  host/player/animation_keys_test.cpp
  host/player/player_test.cpp
  host/plugins/elf_check_test.cpp
  host/plugins/plugin_host_test.cpp
  host/plugins/plugin_library_test.cpp
  host/scene/attribute_stream_test.cpp
  host/scene/scene_state_test.cpp
  host/scene/scene_test.cpp
  host/scene/shape_links_test.cpp
  host/scene/shape_matrix_test.cpp
  host/ui/application_test.cpp
  host/ui/dialog_test.cpp
  host/ui/dialog_script_test.cpp
  host/ui/text_table_test.cpp
  host/ui/ui_services_test.cpp
)
set(PHYSPLUG_TEST_LIBS physplug_host)
# The plug-in host tests load the stand-in plug-ins from the library output folder.
if(TARGET standin_aim)
  set_property(SOURCE host/plugins/plugin_host_test.cpp host/plugins/plugin_library_test.cpp APPEND PROPERTY
    COMPILE_DEFINITIONS "PHYSPLUG_STANDIN_DIR=\"${CMAKE_LIBRARY_OUTPUT_DIRECTORY}\"")
  cmake_language(DEFER CALL add_dependencies host_tests
    standin_aim standin_follow standin_ik standin_multilead standin_surrogate standin_incomplete)
endif()
