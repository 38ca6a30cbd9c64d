# Benchmarks and the small programs they drive. Built by bench/run.sh only,
# in Release, with the project's own flags; included at the end of the
# top-level directory (see hook.cmake), so paths are spelled out.

set(bench_dir "${CMAKE_CURRENT_LIST_DIR}")
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/bench")

find_package(benchmark REQUIRED)
find_package(JPEG REQUIRED)
find_package(X11 REQUIRED)

# The floor for start-up: the least a Qt Widgets window costs.
qt_add_executable(bare_window "${bench_dir}/bare_window.cpp")
target_link_libraries(bare_window PRIVATE Qt6::Widgets)

# The floor for start-up with the same kinds of content as the main window.
qt_add_executable(plain_window "${bench_dir}/plain_window.cpp")
target_link_libraries(plain_window PRIVATE Qt6::Widgets)

# Start-up to first painted frame of any X client, measured from outside.
add_executable(first_frame "${bench_dir}/first_frame.cpp")
target_link_libraries(first_frame PRIVATE X11::X11)

# Large photographs made from a sample one.
qt_add_executable(make_photos "${bench_dir}/make_photos.cpp")
target_link_libraries(make_photos PRIVATE Qt6::Gui)

# The shared pieces of the in-process drivers.
add_library(bench_support STATIC "${bench_dir}/bench_runtime.h" "${bench_dir}/bench_runtime.cpp")
target_link_libraries(bench_support PUBLIC mirteka_qt_app)
target_include_directories(bench_support PUBLIC "${bench_dir}")

qt_add_executable(bench_entry_switch "${bench_dir}/bench_entry_switch.cpp")
target_link_libraries(bench_entry_switch PRIVATE bench_support benchmark::benchmark JPEG::JPEG)

# The loader alone, timed on one file after another.
qt_add_executable(load_picture "${bench_dir}/load_picture.cpp")
target_link_libraries(load_picture PRIVATE mirteka_core Qt6::Core)

qt_add_executable(peak_memory "${bench_dir}/peak_memory.cpp")
target_link_libraries(peak_memory PRIVATE bench_support)

qt_add_executable(glide_ticks "${bench_dir}/glide_ticks.cpp")
target_link_libraries(glide_ticks PRIVATE bench_support)

# The loader's budgets: one load's cost, photographs of any size and coding,
# and what each file costs libjpeg itself (bench/loader_budgets.sh).
add_executable(load_once "${bench_dir}/load_once.cpp")
target_link_libraries(load_once PRIVATE mirteka_core)
add_executable(write_photo "${CMAKE_SOURCE_DIR}/tools/photo_jpeg/write_photo.cpp")
target_include_directories(write_photo PRIVATE "${CMAKE_SOURCE_DIR}/tools/photo_jpeg")
target_link_libraries(write_photo PRIVATE JPEG::JPEG)
add_executable(write_crafted "${bench_dir}/write_crafted.cpp")
target_include_directories(write_crafted PRIVATE "${CMAKE_SOURCE_DIR}/tools/photo_jpeg")
target_link_libraries(write_crafted PRIVATE JPEG::JPEG)
add_executable(jpeg_cost "${bench_dir}/jpeg_cost.cpp")
target_include_directories(jpeg_cost PRIVATE "${CMAKE_SOURCE_DIR}")
target_link_libraries(jpeg_cost PRIVATE JPEG::JPEG)
