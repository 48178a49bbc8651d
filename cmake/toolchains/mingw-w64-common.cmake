# Shared by the two Windows toolchains: Debian's mingw-w64 compilers with the POSIX thread
# model (std::thread and std::mutex), linked fully static so that each DLL and program imports
# only Windows system libraries. OFC_MINGW_TRIPLE names the target.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${OFC_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${OFC_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${OFC_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${OFC_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")

# Test programs run through wine (the script prepares its prefix on first use).
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../../scripts/wine-run.sh)
