# Benchmark programs: add_executable() calls, one per program.

# Facade overhead: phygics_world against the same scene stepped with Bullet directly.
add_executable(engine_step ${PROJECT_SOURCE_DIR}/bench/engine_step.cpp)
physplug_target(engine_step)
target_link_libraries(engine_step PRIVATE physplug_engine)
