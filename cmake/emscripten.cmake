# Building the page with Debian's emscripten (3.1.6): its own toolchain file, with its tools run
# through wrappers that pick Debian's Python and node modules. The core's tests run under node;
# node's own fetch would try to load the inlined module as a URL.
set(FIZZET_EMSCRIPTEN_TOOLS ${CMAKE_CURRENT_LIST_DIR}/emscripten)
set(ENV{EMSDK_PYTHON} /usr/bin/python3)
set(ENV{NODE_PATH} /usr/share/nodejs)
set(ENV{PATH} "${FIZZET_EMSCRIPTEN_TOOLS}:$ENV{PATH}")
set(CMAKE_C_COMPILER ${FIZZET_EMSCRIPTEN_TOOLS}/emcc)
set(CMAKE_CXX_COMPILER ${FIZZET_EMSCRIPTEN_TOOLS}/em++)
set(CMAKE_AR ${FIZZET_EMSCRIPTEN_TOOLS}/emar CACHE FILEPATH "emar")
set(CMAKE_RANLIB ${FIZZET_EMSCRIPTEN_TOOLS}/emranlib CACHE FILEPATH "emranlib")
find_program(FIZZET_NODE NAMES node nodejs PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${FIZZET_NODE} --no-experimental-fetch)
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)
