# Test sources of this area (relative to tests/) and the libraries they link.
set(PHYSPLUG_TEST_SOURCES
  sdk/uuid_test.cpp
  sdk/vectors_test.cpp
  sdk/mat4_test.cpp
  sdk/quaternion_class_test.cpp
)
set(PHYSPLUG_TEST_LIBS physplug_sdk)
