# Sources of sdk/, relative to the project root.
set(PHYSPLUG_SDK_SOURCES
)
