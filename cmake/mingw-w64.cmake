# What both Windows cross builds share, with Debian's mingw-w64 compilers for
# the target that the including toolchain file names in ANGOLI_MINGW_TARGET
# (x86_64-w64-mingw32 or i686-w64-mingw32). The posix-threads flavour,
# because GoogleTest needs std::thread and friends, and everything linked
# statically, so the programs need no DLL beside them.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${ANGOLI_MINGW_TARGET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ANGOLI_MINGW_TARGET}-g++-posix)
set(CMAKE_RC_COMPILER ${ANGOLI_MINGW_TARGET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ANGOLI_MINGW_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# -static-libgcc -static-libstdc++ alone would still need libwinpthread-1.dll.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Tests run under wine, in a prefix of the build folder's own; a 64-bit
# prefix runs the 32-bit programs too.
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/wine-run.sh;${CMAKE_BINARY_DIR}/wine")
