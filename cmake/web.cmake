# The browser program: the core and the front end in web/, compiled to
# WebAssembly by emscripten (tools/build_web.sh); no Qt. Included by the
# top-level CMakeLists.txt when the target is Emscripten.

add_compile_options(-Wall -Wextra -Wpedantic
                    # operator new's std::bad_alloc is caught where a picture is made
                    -fexceptions)
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
add_subdirectory(photos)
add_subdirectory(web)
if(BUILD_TESTING)
  # The core's own tests, run under node on the machine's own files (the
  # JPEG corpus, temporary folders), with the memory the large photos need.
  add_link_options(-sNODERAWFS=1 -sENVIRONMENT=node -sALLOW_MEMORY_GROWTH=1
                   -sMAXIMUM_MEMORY=4GB -sEXIT_RUNTIME=1)
  add_subdirectory(core/tests core-tests)
endif()
