# fizzet.exe's window, measuring its ticks: bench/windows.sh and bench/wine.sh run it under
# Wine; beside it in bench/wine.sh, the Win32 floor and plain port.
add_executable(bench_cadence_win32 win32/cadence.cpp win32/measure.h)
target_link_libraries(bench_cadence_win32 PRIVATE fizzet_window_win32 comctl32)
add_executable(bench_floor_win32 win32/floor.cpp win32/measure.h)
target_link_libraries(bench_floor_win32 PRIVATE fizzet_core winmm)
add_executable(bench_plainport_win32 win32/plainport.cpp win32/measure.h)
target_link_libraries(bench_plainport_win32 PRIVATE fizzet_core winmm gdi32)
