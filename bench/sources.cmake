# Benchmark programs: add_executable() calls, one per program.

# Facade overhead: phygics_world against the same scene stepped with Bullet directly.
add_executable(engine_step ${PROJECT_SOURCE_DIR}/bench/engine_step.cpp)
physplug_target(engine_step)
target_link_libraries(engine_step PRIVATE physplug_engine)

# Host calls of the playback path: stream reads, vertex writes, index lookups (ns per call).
add_executable(host_access ${PROJECT_SOURCE_DIR}/bench/host_access.cpp)
physplug_target(host_access)
target_link_libraries(host_access PRIVATE physplug_host)

# The whole playback path (host player -> loaded plug-in -> engine -> write-back into the
# scene) against Bullet stepped directly on the same bodies; last line `ratio <plug-in/raw>`.
if(TARGET physplug AND TARGET physplug_host)
  add_executable(playback ${PROJECT_SOURCE_DIR}/bench/playback.cpp)
  physplug_target(playback)
  target_link_libraries(playback PRIVATE physplug_host physplug_engine PkgConfig::BULLET)
  add_dependencies(playback physplug)
  target_compile_definitions(playback PRIVATE PHYSPLUG_PLUGIN_PATH="$<TARGET_FILE:physplug>")
endif()

# Scene-file reading against file size: each hostile-but-valid layout at n and 4n entries.
add_executable(scene_file_read ${PROJECT_SOURCE_DIR}/bench/scene_file_read.cpp)
physplug_target(scene_file_read)
target_link_libraries(scene_file_read PRIVATE physplug_host)
