# Test sources of this area (relative to tests/) and the libraries they link.
set(PHYSPLUG_TEST_SOURCES
  bridge/sorvel_world_test.cpp
  bridge/sorvel_worlds_test.cpp
  bridge/external_joints_test.cpp
)
set(PHYSPLUG_TEST_LIBS physplug_core physplug_host)
