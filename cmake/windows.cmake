# The Windows program: the core and the native front end in win32/, built
# with MinGW-w64 (tools/build_windows.sh); no Qt. Included by the top-level
# CMakeLists.txt when the target is Windows.

if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  add_compile_options(-Wall -Wextra -Wpedantic)
endif()
# Wide API throughout; Windows 10 1607 or later (per-monitor DPI functions).
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                        _WIN32_WINNT=0x0A00 WINVER=0x0A00)
# One file that needs no DLL of ours: the C++ runtime, libgcc and winpthread
# are linked in; only DLLs that come with Windows are imported.
add_link_options(-static -static-libgcc -static-libstdc++
                 $<$<CONFIG:Release,MinSizeRel>:-s>)

set(MIRTEKA_ICON "" CACHE FILEPATH
    "The program's icon as .ico, written on the build machine by mirteka_make_ico")
if(NOT EXISTS "${MIRTEKA_ICON}")
  message(FATAL_ERROR "MIRTEKA_ICON must name the icon file; tools/build_windows.sh writes it")
endif()

set(MIRTEKA_PHOTO_NAMES "" CACHE FILEPATH
    "The guide's photographs, one name a line, written on the build machine by mirteka_photo_names")
if(NOT EXISTS "${MIRTEKA_PHOTO_NAMES}")
  message(FATAL_ERROR "MIRTEKA_PHOTO_NAMES must name the list of photographs; tools/build_windows.sh writes it")
endif()

include(CTest)
if(BUILD_TESTING)
  # Tests run under wine, in one fresh prefix that the test wine_prefix makes
  # first in every run (win32/tests).
  set(MIRTEKA_WINE_PREFIX "${CMAKE_BINARY_DIR}/wine/prefix")
  set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_SOURCE_DIR}/tools/wine_run.sh;${MIRTEKA_WINE_PREFIX}")
  # One at a time: the first program of a wine session binds it to its display.
  set(MIRTEKA_CORE_TEST_PROPERTIES FIXTURES_REQUIRED wine_prefix RESOURCE_LOCK wine_prefix)
endif()

add_subdirectory(resources)
add_subdirectory(core)
add_subdirectory(photos)
if(BUILD_TESTING)
  add_subdirectory(core/tests core-tests) # the core's own tests, built for Windows
endif()
add_subdirectory(win32)
add_subdirectory(bench/windows)
