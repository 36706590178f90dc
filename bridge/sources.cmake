# Sources of bridge/, relative to the project root.
set(PHYSPLUG_BRIDGE_SOURCES
  bridge/engine_shape_size.cpp
  bridge/matrix_conversion.cpp
  bridge/scene_shapes.cpp
  bridge/sorvel_world.cpp
  bridge/sorvel_world_writeback.cpp
  bridge/sorvel_world_hooks.cpp
  bridge/sorvel_worlds.cpp
  bridge/external_joints.cpp
  bridge/playback_driver.cpp
  bridge/scene_events.cpp
)
