# Sources of bridge/, relative to the project root.
set(PHYSPLUG_BRIDGE_SOURCES
)
