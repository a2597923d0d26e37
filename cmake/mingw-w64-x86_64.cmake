# Cross build for 64-bit Windows with Debian's mingw-w64 (posix threads).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KORVATH_TRIPLE x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${KORVATH_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KORVATH_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${KORVATH_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KORVATH_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Without -static the programs need libwinpthread-1.dll and Wine exits with
# code 53 before main.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Every Windows program that ctest starts goes through the Wine wrapper that
# the top-level CMakeLists.txt generates into the build tree.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)
