# Test sources of this area (relative to tests/) and the libraries they link.
set(PHYSPLUG_TEST_SOURCES
  geometry/shape_position_class_test.cpp
  geometry/shape_position_class_write_test.cpp
  geometry/shape_position_class_stand_in_test.cpp
)
set(PHYSPLUG_TEST_LIBS physplug_core physplug_host)
