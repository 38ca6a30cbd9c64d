# The browser program: the core and the front end in web/, compiled to
# WebAssembly by emscripten (tools/build_web.sh); no Qt. Included by the
# top-level CMakeLists.txt when the target is Emscripten.

add_compile_options(-Wall -Wextra -Wpedantic)
# Exceptions are caught in one place of the program: where a picture's memory
# is asked for (core/picture.cpp, below), so that a photograph too large for
# the browser's memory is refused, not fatal. Nowhere else do they pay for
# their landing pads, and none stands between a handler and what it waits
# for, so that Asyncify's instrumentation can follow the handlers alone.
add_link_options(-fexceptions)

if(NOT EXISTS "${JPEG_LIBRARY_RELEASE}")
  message(FATAL_ERROR "JPEG_LIBRARY_RELEASE must name libjpeg.a built for WebAssembly; tools/build_web.sh builds it")
endif()

# The site's folder: the page, its code and the photographs side by side.
set(MIRTEKA_SITE_DIR "${CMAKE_BINARY_DIR}/site")
set(MIRTEKA_APP_DIR "${MIRTEKA_SITE_DIR}")
set(MIRTEKA_NODE "node" CACHE STRING "The node that runs the tests and puppeteer-core")

include(CTest)
if(BUILD_TESTING)
  # Emscripten's output runs under node with its own fetch switched off.
  set(CMAKE_CROSSCOMPILING_EMULATOR "${MIRTEKA_NODE};--no-experimental-fetch")
endif()

add_subdirectory(resources)
add_subdirectory(core)
set_source_files_properties(core/picture.cpp DIRECTORY core PROPERTIES COMPILE_OPTIONS -fexceptions)
add_subdirectory(photos)
add_subdirectory(web)
if(BUILD_TESTING)
  # The core's own tests, run under node on the machine's own files (the
  # JPEG corpus, temporary folders), with the memory the large photos need.
  add_compile_options(-fexceptions) # doctest's REQUIRE throws
  add_link_options(-sNODERAWFS=1 -sENVIRONMENT=node -sALLOW_MEMORY_GROWTH=1
                   -sMAXIMUM_MEMORY=4GB -sEXIT_RUNTIME=1)
  add_subdirectory(core/tests core-tests)
endif()
