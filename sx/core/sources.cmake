# Sources of sx/core/, relative to the project root.
set(PHYSPLUG_SX_SOURCES
  sx/core/uuid.cpp
)
