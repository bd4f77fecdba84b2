# Cross build for 64-bit Windows (the windows preset); see mingw-w64.cmake.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ANGOLI_MINGW_TARGET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
