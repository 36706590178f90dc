# Sources of base/, relative to the project root: what every plug-in folder uses.
set(PHYSPLUG_BASE_SOURCES
  base/uuid_table.cpp
  base/texts.cpp
  base/handler_guard.cpp
  base/matrix_conversion.cpp
)
