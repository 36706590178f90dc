# Test sources of this area (relative to tests/) and the libraries they link.
set(PHYSPLUG_TEST_SOURCES
  properties/shape_roles_test.cpp
  properties/property_stream_test.cpp
  properties/world_properties_test.cpp
  properties/world_properties_dialog_test.cpp
  properties/world_properties_repair_test.cpp
  properties/primitive_properties_test.cpp
  properties/primitive_properties_dialog_test.cpp
  properties/rigidbody_properties_test.cpp
  properties/rigidbody_properties_dialog_test.cpp
  properties/rigidbody_properties_transform_test.cpp
  properties/settings_limits_test.cpp
)
set(PHYSPLUG_TEST_LIBS physplug_core physplug_host)
