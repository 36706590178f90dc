# Sources of bridge/, relative to the project root.
set(PHYSPLUG_BRIDGE_SOURCES
  bridge/sorvel_world.cpp
  bridge/sorvel_worlds.cpp
  bridge/external_joints.cpp
  bridge/playback_driver.cpp
  bridge/scene_events.cpp
  bridge/view_camera.cpp
)
