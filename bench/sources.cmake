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
# scene) against Bullet stepped directly on the same bodies (bench/pile_paths.hpp):
#   playback  per pile size, last line `ratio <plug-in/raw>` of the largest;
#   threads   the plug-in stepping on several threads against single-threaded Bullet;
#   growth    build and frame time from 250 to 16000 bodies with the fitted exponents;
#   joint_chain  a chain of 200 links and 50 chains of 20 hanging from constraint joints, last
#             line `ratio <plug-in/raw>`.
if(TARGET physplug AND TARGET physplug_host)
  foreach(program playback threads growth joint_chain)
    add_executable(${program} ${PROJECT_SOURCE_DIR}/bench/${program}.cpp)
    physplug_target(${program})
    target_link_libraries(${program} PRIVATE physplug_host physplug_engine PkgConfig::BULLET)
    add_dependencies(${program} physplug)
    target_compile_definitions(${program} PRIVATE PHYSPLUG_PLUGIN_PATH="$<TARGET_FILE:physplug>")
  endforeach()
endif()

# Scene-file reading against file size: each hostile-but-valid layout at n and 4n entries.
add_executable(scene_file_read ${PROJECT_SOURCE_DIR}/bench/scene_file_read.cpp)
physplug_target(scene_file_read)
target_link_libraries(scene_file_read PRIVATE physplug_host)

# Binding 100 000 projection vertices to a 10 000-vertex cloth, hanging and flat: seconds, peak
# memory, and the bindings checked against the walk of the binding rules.
add_executable(projection_binding ${PROJECT_SOURCE_DIR}/bench/projection_binding.cpp)
physplug_target(projection_binding)
target_link_libraries(projection_binding PRIVATE physplug_core physplug_host)

# A 64 x 64 cloth with a projection mesh four times finer played through the whole host ->
# plug-in path against the same soft body stepped with Bullet directly; last line `ratio X`.
if(TARGET physplug AND TARGET physplug_host)
  add_executable(cloth_playback ${PROJECT_SOURCE_DIR}/bench/cloth_playback.cpp)
  physplug_target(cloth_playback)
  target_link_libraries(cloth_playback PRIVATE physplug_core physplug_host physplug_engine PkgConfig::BULLET)
  add_dependencies(cloth_playback physplug)
  target_compile_definitions(cloth_playback PRIVATE PHYSPLUG_PLUGIN_PATH="$<TARGET_FILE:physplug>")
endif()
