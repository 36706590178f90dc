# Test sources of this area (relative to tests/) and the libraries they link.
set(PHYSPLUG_TEST_SOURCES
  host/scene/attribute_stream_test.cpp
  host/scene/scene_state_test.cpp
  host/scene/scene_test.cpp
  host/scene/shape_links_test.cpp
  host/scene/shape_matrix_test.cpp
  host/ui/application_test.cpp
  host/ui/dialog_test.cpp
  host/ui/dialog_script_test.cpp
  host/ui/text_table_test.cpp
  host/ui/ui_services_test.cpp
)
set(PHYSPLUG_TEST_LIBS physplug_host)
