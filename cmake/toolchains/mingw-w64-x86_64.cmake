# Cross build for 64-bit Windows with Debian's mingw-w64 (g++-mingw-w64-x86-64).
#
#     cmake -S . -B build-win64 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-x86_64.cmake
#
# The posix thread model gives the C++ runtime its threads and mutexes; the runtime
# (libstdc++, libgcc, winpthread) is linked statically, so the DLLs need nothing a
# Windows machine lacks.
set(QUILLET_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
