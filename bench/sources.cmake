# Benchmark programs: add_executable() calls, one per program.
