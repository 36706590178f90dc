# Sources of engine/, relative to the project root.
set(PHYSPLUG_ENGINE_SOURCES
)
