# Sources of geometry/, relative to the project root.
set(PHYSPLUG_GEOMETRY_SOURCES
  geometry/shape_position_class.cpp
  geometry/shape_position_class_points.cpp
)
