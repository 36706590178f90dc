# Sources of softbody/, relative to the project root.
set(PHYSPLUG_SOFTBODY_SOURCES
  softbody/softbody_set.cpp
)
