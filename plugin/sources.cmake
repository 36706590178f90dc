# Sources of plugin/: the components (static library) and the exported entry points (shared library).
set(PHYSPLUG_PLUGIN_SOURCES
  plugin/uuid_table.cpp
  plugin/texts.cpp
)
set(PHYSPLUG_ENTRY_SOURCES
)
