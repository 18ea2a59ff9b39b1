# What both mingw-w64 toolchain files share; QUILLET_MINGW_TRIPLET names the target.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${QUILLET_MINGW_TRIPLET})

set(CMAKE_C_COMPILER ${QUILLET_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUILLET_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${QUILLET_MINGW_TRIPLET}-windres)
# The IDL compiler of mingw-w64-tools makes type libraries for both bitnesses.
find_program(QUILLET_WIDL NAMES ${QUILLET_MINGW_TRIPLET}-widl x86_64-w64-mingw32-widl widl REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${QUILLET_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C++ runtime inside every module: no libstdc++-6.dll, libgcc_s or
# libwinpthread-1.dll. The top CMakeLists.txt links every target so; only the
# simulator's set, whose modules share one runtime, leaves it out.
set(QUILLET_STATIC_RUNTIME -static -static-libgcc -static-libstdc++)
set(CMAKE_SHARED_LINKER_FLAGS_RELEASE_INIT "-s")
set(CMAKE_MODULE_LINKER_FLAGS_RELEASE_INIT "-s")
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")
