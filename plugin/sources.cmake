# Sources of plugin/: the components (static library) and the exported entry points (shared library).
set(PHYSPLUG_PLUGIN_SOURCES
  plugin/component_table.cpp
  plugin/modify_attribute_access.cpp
  plugin/bullet_world_component.cpp
  plugin/bullet_rigid_component.cpp
  plugin/bullet_modify_component.cpp
  plugin/bullet_modify_component_ask.cpp
  plugin/bullet_browser_component.cpp
  plugin/bullet_figure_component.cpp
)
set(PHYSPLUG_ENTRY_SOURCES
  plugin/entry_points.cpp
)
