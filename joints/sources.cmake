# Sources of joints/, relative to the project root.
set(PHYSPLUG_JOINTS_SOURCES
  joints/alternative_bone_attribute.cpp
  joints/alternative_bone_joint.cpp
  joints/constraints_dialog_section.cpp
  joints/constraints_properties.cpp
  joints/constraints_properties_dialog.cpp
  joints/constraints_properties_frames.cpp
  joints/joint_chain_builder.cpp
  joints/joint_chain_builder_dialog.cpp
  joints/joint_kind.cpp
  joints/joint_position_class.cpp
  joints/joint_set.cpp
)
