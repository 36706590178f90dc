# Sources of editing/, relative to the project root.
set(PHYSPLUG_EDITING_SOURCES
  editing/editing_dispatcher.cpp
  editing/softbody_gestures.cpp
)
