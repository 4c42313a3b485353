# The Win32 front-end's flags, for all it builds: the C++ runtime linked in, so fizzet.exe and
# the tests need only Windows' own DLLs, and the Windows headers in their Unicode form.
add_link_options(-static $<$<CONFIG:Release>:-s>)
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00)
