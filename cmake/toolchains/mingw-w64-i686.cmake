# 32-bit Windows: "Orvane Feedback Compressor.dll". SSE2 arithmetic (set in the top-level list)
# keeps its results bit-identical with the 64-bit build's.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(OFC_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
