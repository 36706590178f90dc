# Benchmark programs: add_executable() calls, one per program.

# Facade overhead: phygics_world against the same scene stepped with Bullet directly.
add_executable(engine_step ${PROJECT_SOURCE_DIR}/bench/engine_step.cpp)
physplug_target(engine_step)
target_link_libraries(engine_step PRIVATE physplug_engine)

# Host calls of the playback path: stream reads, vertex writes, index lookups (ns per call).
add_executable(host_access ${PROJECT_SOURCE_DIR}/bench/host_access.cpp)
physplug_target(host_access)
target_link_libraries(host_access PRIVATE physplug_host)
