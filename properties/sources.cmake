# Sources of properties/, relative to the project root.
set(PHYSPLUG_PROPERTIES_SOURCES
  properties/shape_roles.cpp
  properties/property_stream.cpp
  properties/world_properties.cpp
  properties/world_properties_repair.cpp
  properties/primitive_properties.cpp
  properties/primitive_builders.cpp
  properties/primitive_dialog_section.cpp
  properties/collision_filter_dialog.cpp
  properties/engine_shape_size.cpp
  properties/rigidbody_properties.cpp
  properties/rigidbody_properties_dialog.cpp
  properties/rigidbody_properties_transform.cpp
  properties/rigidbody_set.cpp
  properties/settings_limits.cpp
)
