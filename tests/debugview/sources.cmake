# Test sources of this area (relative to tests/) and the libraries they link.
set(PHYSPLUG_TEST_SOURCES)
if(WIN32)
  list(APPEND PHYSPLUG_TEST_SOURCES debugview/debug_window_test.cpp)
  set(PHYSPLUG_TEST_LIBS physplug_engine opengl32)
endif()
# The offscreen frames of the command line (built when EGL and OpenGL were found).
if(PHYSPLUG_DEBUG_FRAMES AND TARGET physplug-host)
  add_test(NAME debug_frames COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/debugview/debug_frames_check.sh
                                     $<TARGET_FILE:physplug-host> ${PROJECT_SOURCE_DIR})
  # Mesa's software renderer keeps caches for the life of the process.
  set_tests_properties(debug_frames PROPERTIES TIMEOUT 120 ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0")
endif()
