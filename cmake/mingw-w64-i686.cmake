# Cross build for 32-bit Windows (the windows-x86 preset), for the Windows
# that runs 32-bit programs only; see mingw-w64.cmake.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(ANGOLI_MINGW_TARGET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
