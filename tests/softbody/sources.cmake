# Test sources of this area (relative to tests/) and the libraries they link.
set(PHYSPLUG_TEST_SOURCES
  softbody/softbody_properties_test.cpp
  softbody/softbody_dialog_test.cpp
  softbody/cloth_util_test.cpp
  softbody/cloth_search_test.cpp
  softbody/softbody_editing_test.cpp
  softbody/projection_mesh_test.cpp
  softbody/mesh_points_test.cpp
)
set(PHYSPLUG_TEST_LIBS physplug_core physplug_host)
list(APPEND PHYSPLUG_TEST_SOURCES softbody/cloth_playback_test.cpp softbody/cloth_physics_test.cpp
  softbody/cloth_stack_test.cpp)
