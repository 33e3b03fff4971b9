# Builds for the browser with Debian's emscripten:
#   cmake -S . -B build-web -DCMAKE_TOOLCHAIN_FILE=cmake/emscripten.cmake
# Emscripten's own toolchain file, with the programs run under this
# machine's Node.js (emcmake would add a flag that Node.js 20 refuses).
# Emscripten 3.1.6 loads the wasm file with fetch() wherever fetch exists,
# and Node.js 20's fetch takes no file paths, so Node.js runs without it.
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)
find_program(SORTBARS_NODE NAMES node nodejs)
if(SORTBARS_NODE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${SORTBARS_NODE} --no-experimental-fetch)
endif()
