# Sources of softbody/, relative to the project root.
set(PHYSPLUG_SOFTBODY_SOURCES
  softbody/softbody_properties.cpp
  softbody/softbody_stream.cpp
  softbody/softbody_dialog.cpp
  softbody/cloth_util.cpp
  softbody/cloth_search.cpp
  softbody/softbody_set.cpp
)
