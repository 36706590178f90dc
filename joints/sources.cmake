# Sources of joints/, relative to the project root.
set(PHYSPLUG_JOINTS_SOURCES
  joints/alternative_bone_attribute.cpp
  joints/alternative_bone_joint.cpp
  joints/joint_kind.cpp
  joints/joint_set.cpp
)
