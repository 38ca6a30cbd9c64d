# Handed to CMake by bench/run.sh as CMAKE_PROJECT_mirteka_INCLUDE: once the
# project's own targets exist, adds the benchmark targets, so the project's
# files need not know about them.
cmake_language(DEFER DIRECTORY "${CMAKE_SOURCE_DIR}"
               CALL include "${CMAKE_SOURCE_DIR}/bench/bench_targets.cmake")
