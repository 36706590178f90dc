# Sources of softbody/, relative to the project root.
set(PHYSPLUG_SOFTBODY_SOURCES
  softbody/softbody_properties.cpp
  softbody/softbody_stream.cpp
  softbody/softbody_dialog.cpp
  softbody/softbody_editing.cpp
  softbody/softbody_writeback.cpp
  softbody/projection_mesh.cpp
  softbody/cloth_util.cpp
  softbody/cloth_search.cpp
  softbody/mesh_points.cpp
  softbody/mesh_snapshot.cpp
  softbody/softbody_set.cpp
  softbody/softbody_scene_list.cpp
  softbody/softbody_editor.cpp
)
