# Test sources of this area (relative to tests/) and the libraries they link.
set(PHYSPLUG_TEST_SOURCES
  joints/constraints_properties_test.cpp
  joints/constraints_properties_dialog_test.cpp
  joints/constraints_properties_frames_test.cpp
  joints/alternative_bone_test.cpp
  joints/joint_playback_test.cpp
  joints/joint_accuracy_test.cpp
  joints/joint_chain_builder_test.cpp
)
set(PHYSPLUG_TEST_LIBS physplug_core physplug_host)
