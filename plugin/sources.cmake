# Sources of plugin/: the components (static library) and the exported entry points (shared library).
set(PHYSPLUG_PLUGIN_SOURCES
)
set(PHYSPLUG_ENTRY_SOURCES
)
