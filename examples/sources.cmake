# Example programs: set(PHYSPLUG_EXAMPLE_PROGRAMS) and add_executable() calls live here.
