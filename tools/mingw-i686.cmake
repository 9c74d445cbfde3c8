# Cross toolchain for the 32-bit Windows build. The posix thread model is used because
# the win32 model of MinGW lacks std::thread and std::condition_variable, which GoogleTest needs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(QN520_MINGW_TRIPLET i686-w64-mingw32)
set(CMAKE_C_COMPILER ${QN520_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QN520_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${QN520_MINGW_TRIPLET}-windres)
set(CMAKE_OBJDUMP ${QN520_MINGW_TRIPLET}-objdump)
set(CMAKE_FIND_ROOT_PATH /usr/${QN520_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
