# Test sources of this area (relative to tests/) and the libraries they link.
set(PHYSPLUG_TEST_SOURCES
  base/uuid_table_test.cpp
  base/texts_test.cpp
  base/matrix_conversion_test.cpp
)
set(PHYSPLUG_TEST_LIBS physplug_core physplug_host)
