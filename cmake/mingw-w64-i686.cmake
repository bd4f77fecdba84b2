# Cross build for 32-bit Windows (the windows-x86 preset), for the Windows
# that runs 32-bit programs only; see mingw-w64.cmake.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(ANGOLI_MINGW_TARGET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)

# 32-bit code and its DWARF unwinding tables come to a fifth more than the
# 64-bit build's: optimised for size, angoli-converti.exe stays under 512 KB
# (542,720 -> 507,904 bytes with Debian 12's mingw-w64). Forced, so that a
# build folder configured before keeps no -O3.
set(CMAKE_C_FLAGS_RELEASE "-Os -DNDEBUG" CACHE STRING "" FORCE)
set(CMAKE_CXX_FLAGS_RELEASE "-Os -DNDEBUG" CACHE STRING "" FORCE)
