# Sources of joints/, relative to the project root.
set(PHYSPLUG_JOINTS_SOURCES
  joints/joint_set.cpp
)
