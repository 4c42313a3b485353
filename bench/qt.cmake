# The Qt front-end's benchmarks; bench/compare.sh and bench/cadence.sh run them.
find_package(benchmark QUIET)
if(NOT benchmark_FOUND)
    message(STATUS "Google Benchmark not found: the tick benchmark is not built")
else()
    # One tick of the animation, through the real surface and through one that draws nothing.
    add_executable(bench_tick bench_tick.cpp)
    target_link_libraries(bench_tick PRIVATE fizzet_platform_qt benchmark::benchmark)
endif()

# The real window animating under a real display: tick intervals, CPU and memory.
add_executable(bench_cadence bench_cadence.cpp)
target_link_libraries(bench_cadence PRIVATE fizzet_app_qt fizzet_startup_qt)

# The floor of bench/compare.sh: a bare window whose 40 Hz timer does nothing.
add_executable(bench_floor floor.cpp)
target_link_libraries(bench_floor PRIVATE Qt6::Widgets)

# bench/compare.sh's clock for start-up: launch to the window's MapNotify.
add_executable(bench_shown shown.cpp)
find_package(X11 REQUIRED COMPONENTS xcb)
target_link_libraries(bench_shown PRIVATE X11::xcb)

# bench/compare.sh's yardstick: the same window done the plain way.
add_executable(bench_plainport plainport.cpp)
target_link_libraries(bench_plainport PRIVATE fizzet_core Qt6::Widgets)
