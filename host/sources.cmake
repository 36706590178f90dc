# Sources of host/: the headless host library and the physplug-host command.
set(PHYSPLUG_HOST_SOURCES
  host/ui/application.cpp
  host/ui/dialog.cpp
  host/ui/dialog_answer.cpp
  host/ui/dialog_record.cpp
  host/ui/dialog_script.cpp
  host/ui/dialog_value.cpp
  host/ui/text_table.cpp
  host/ui/ui_services.cpp
)
set(PHYSPLUG_HOST_CLI_SOURCES
)
