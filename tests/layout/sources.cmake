# Test sources of this area (relative to tests/) and the libraries they link.
set(PHYSPLUG_TEST_SOURCES
  layout/include_rules_test.cpp
)
set(PHYSPLUG_TEST_LIBS)
