# Sources of sdk/, relative to the project root.
set(PHYSPLUG_SDK_SOURCES
  sdk/mat4.cpp
  sdk/quaternion_class.cpp
)
