# Sources of engine/, relative to the project root.
set(PHYSPLUG_ENGINE_SOURCES
  engine/phygics_world.cpp
  engine/bullet_world.cpp
  engine/bullet_world_bodies.cpp
  engine/bullet_world_joints.cpp
  engine/bullet_world_softbodies.cpp
  engine/softbody_mesh.cpp
  engine/softbody_solver.cpp
  engine/softbody_cloth_contacts.cpp
  engine/contact_settings.cpp
  engine/joint_settings.cpp
  engine/parallel_dispatcher.cpp
  engine/step_pool.cpp
  engine/threaded_world.cpp
  engine/batched_solver.cpp
  engine/gl_debug_drawer.cpp
)
