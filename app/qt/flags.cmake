# The Qt front-end's flags, for all it builds: Qt itself, and a release build hardened by default.
find_package(Qt6 6.4 REQUIRED COMPONENTS Widgets Test)
qt_standard_project_setup()

option(FIZZET_HARDENING
       "Harden the build: PIE, full RELRO, stack protector and clash protection, fortify, CET" ON)
if(FIZZET_HARDENING)
    include(CheckPIESupported)
    check_pie_supported()
    set(CMAKE_POSITION_INDEPENDENT_CODE ON)
    add_compile_options(-fstack-protector-strong -fstack-clash-protection)
    include(CheckCXXCompilerFlag)
    check_cxx_compiler_flag(-fcf-protection FIZZET_HAS_CF_PROTECTION)
    if(FIZZET_HAS_CF_PROTECTION)
        add_compile_options(-fcf-protection)
    endif()
    add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
    add_link_options(LINKER:-z,relro LINKER:-z,now)
endif()
