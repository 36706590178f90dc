# Command-line and example checks: add_test() calls (included by tests/CMakeLists.txt).

# The engine demo plays its scene and exits 0 only when everything came to rest above the ground.
add_test(NAME engine_demo COMMAND physplug-engine-demo)
set_tests_properties(engine_demo PROPERTIES TIMEOUT 120)
