# Clang and LLD for 64-bit Windows on ARM (aarch64-w64-mingw32): MSYS2's CLANGARM64 tools by their
# plain names, or Debian 12's LLVM 14. Debian has neither a C or C++ runtime nor import libraries for
# this target, so there layerbar.exe, which needs none, is all it builds (cmake/executable.cmake makes
# its two import libraries), with MinGW-w64's Windows headers and the C++ headers of libc++-14-dev,
# clang's own, used header-only (MinGW GCC's libstdc++ headers carry an x86-64 configuration).
# -nostdlibinc keeps out glibc's /usr/include, which clang adds for this target without a sysroot.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_EXE_LINKER_FLAGS_INIT -fuse-ld=lld)
if(CMAKE_HOST_WIN32)
    set(CMAKE_C_COMPILER clang)
    set(CMAKE_CXX_COMPILER clang++)
    set(CMAKE_RC_COMPILER windres)
else()
    set(CMAKE_C_COMPILER clang-14)
    set(CMAKE_CXX_COMPILER clang++-14)
    set(CMAKE_C_COMPILER_TARGET aarch64-w64-mingw32)
    set(CMAKE_CXX_COMPILER_TARGET aarch64-w64-mingw32)
    set(CMAKE_RC_COMPILER /usr/lib/llvm-14/bin/llvm-windres)
    set(CMAKE_RC_FLAGS_INIT "--target=aarch64-w64-mingw32 -I/usr/share/mingw-w64/include")
    set(CMAKE_C_FLAGS_INIT "-nostdlibinc -isystem /usr/share/mingw-w64/include")
    set(CMAKE_CXX_FLAGS_INIT "-nostdlibinc -isystem /usr/lib/llvm-14/include/c++/v1 -isystem /usr/share/mingw-w64/include")
    # Without a runtime, the compilers' checks compile but cannot link, no default library is there,
    # and the link ignores the flags of the headers.
    set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
    set(CMAKE_CXX_STANDARD_LIBRARIES "" CACHE STRING "The libraries every program links")
    set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -Wno-unused-command-line-argument")
endif()
