# Sources of host/: the headless host library and the physplug-host command.
set(PHYSPLUG_HOST_SOURCES
)
set(PHYSPLUG_HOST_CLI_SOURCES
)
