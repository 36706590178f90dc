# Sources of geometry/, relative to the project root.
set(PHYSPLUG_GEOMETRY_SOURCES
)
