# MinGW-w64 GCC for Windows on the processor the including file sets. On Debian the tools carry a
# target prefix, and GoogleTest needs the POSIX thread model's (the win32 one lacks std::mutex); in
# MSYS2 they have their plain names. Libraries and packages are looked for among the target's own.
set(CMAKE_SYSTEM_NAME Windows)
if(CMAKE_HOST_WIN32)
    set(CMAKE_C_COMPILER gcc)
    set(CMAKE_CXX_COMPILER g++)
    set(CMAKE_RC_COMPILER windres)
else()
    set(CMAKE_C_COMPILER "${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32-gcc-posix")
    set(CMAKE_CXX_COMPILER "${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32-g++-posix")
    set(CMAKE_RC_COMPILER "${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32-windres")
    set(CMAKE_FIND_ROOT_PATH "/usr/${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32")
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
