# Test sources of this area (relative to tests/) and the libraries they link.
set(PHYSPLUG_TEST_SOURCES
  plugin/entry_points_test.cpp
  plugin/bullet_modify_component_test.cpp
  plugin/creators_test.cpp
  plugin/ask_shape_test.cpp
  plugin/ask_shape_examples_test.cpp
  plugin/playback_determinism_test.cpp
)
set(PHYSPLUG_TEST_LIBS physplug_core physplug_host)
