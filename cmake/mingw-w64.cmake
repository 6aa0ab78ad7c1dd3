# MinGW-w64 GCC for Windows on the processor the including file sets. On
# Debian the tools carry a target prefix; a MinGW-w64 shell on Windows has
# them under their plain names.
set(CMAKE_SYSTEM_NAME Windows)
if(CMAKE_HOST_WIN32)
    set(mingw_prefix "")
else()
    set(mingw_prefix "${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32-")
endif()
set(CMAKE_CXX_COMPILER "${mingw_prefix}g++")
set(CMAKE_RC_COMPILER "${mingw_prefix}windres")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
