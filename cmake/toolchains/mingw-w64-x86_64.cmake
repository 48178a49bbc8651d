# 64-bit Windows: "Orvane Feedback Compressor (x64).dll".
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(OFC_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
