# Cross build for 32-bit Windows with Debian's mingw-w64 (g++-mingw-w64-i686): the
# set a 32-bit Outlook loads.
#
#     cmake -S . -B build-win32 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-i686.cmake
set(QUILLET_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
