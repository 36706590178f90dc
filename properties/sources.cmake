# Sources of properties/, relative to the project root.
set(PHYSPLUG_PROPERTIES_SOURCES
)
