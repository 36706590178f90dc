# Test sources of this area (relative to tests/) and the libraries they link.
set(PHYSPLUG_TEST_SOURCES
  host/ui/application_test.cpp
  host/ui/dialog_test.cpp
  host/ui/dialog_script_test.cpp
  host/ui/text_table_test.cpp
  host/ui/ui_services_test.cpp
)
set(PHYSPLUG_TEST_LIBS physplug_host)
