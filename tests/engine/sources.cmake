# Test sources of this area (relative to tests/) and the libraries they link.
set(PHYSPLUG_TEST_SOURCES
  engine/phygics_world_test.cpp
  engine/bullet_world_test.cpp
  engine/bullet_world_bodies_test.cpp
  engine/bullet_world_joints_test.cpp
  engine/joint_stepping_test.cpp
  engine/bullet_world_softbodies_test.cpp
  engine/bullet_world_contacts_test.cpp
  engine/threaded_world_test.cpp
  engine/softbody_mesh_test.cpp
)
set(PHYSPLUG_TEST_LIBS physplug_engine)
