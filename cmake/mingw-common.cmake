# Shared part of the MinGW-w64 cross toolchains; the per-architecture files set
# BRELLIX_MINGW_TRIPLE before including this one.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${BRELLIX_MINGW_ARCH})

# The posix thread model gives std::thread and std::mutex without extra work.
set(CMAKE_C_COMPILER ${BRELLIX_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${BRELLIX_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${BRELLIX_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${BRELLIX_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Windows test binaries run under Wine through ctest.
get_filename_component(_brellix_cmake_dir "${CMAKE_CURRENT_LIST_FILE}" DIRECTORY)
set(CMAKE_CROSSCOMPILING_EMULATOR "${_brellix_cmake_dir}/../scripts/wine-run")
