# Example programs: set(PHYSPLUG_EXAMPLE_PROGRAMS) and add_executable() calls live here.

# The engine on its own: a ball and a pile of boxes dropped on the ground (scripts/run runs it).
add_executable(physplug-engine-demo ${PROJECT_SOURCE_DIR}/examples/engine_demo.cpp)
physplug_target(physplug-engine-demo)
target_link_libraries(physplug-engine-demo PRIVATE physplug_engine)
