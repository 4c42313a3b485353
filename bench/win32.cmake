# fizzet.exe's window, measuring its ticks: bench/windows.sh runs it under Wine.
add_executable(bench_cadence_win32 win32/cadence.cpp)
target_link_libraries(bench_cadence_win32 PRIVATE fizzet_window_win32 comctl32)
