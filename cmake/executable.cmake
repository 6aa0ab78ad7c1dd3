# layerbar.exe: a GUI-subsystem program without the C runtime. Its own entry point ends with
# ExitProcess, so the import table holds KERNEL32.dll and USER32.dll alone.
enable_language(RC)

# 32-bit C symbols carry a leading underscore; only 64-bit Windows has high-entropy ASLR.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(symbol_prefix "")
    set(high_entropy -Wl,--high-entropy-va)
else()
    set(symbol_prefix _)
    set(high_entropy "")
endif()

# Where the toolchain has no import libraries for the two DLLs (Debian's LLVM for Windows on ARM),
# they are made here from the functions that the program, and then checker.exe, call.
find_library(LAYERBAR_KERNEL32 kernel32)
if(NOT LAYERBAR_KERNEL32)
    set(kernel32 ExitProcess GetCommandLineA
        CloseHandle CreateProcessA GetExitCodeProcess GetLastError GetModuleHandleA GetStdHandle ReadFile
        WriteFile lstrcatA lstrlenA)
    set(user32 CharNextA FindWindowA GetWindowLongA SetLayeredWindowAttributes SetWindowLongA
        CreateWindowExA DefWindowProcA DispatchMessageA GetLayeredWindowAttributes MsgWaitForMultipleObjects
        PeekMessageA RegisterClassA wsprintfA)
    foreach(dll kernel32 user32)
        string(TOUPPER "${dll}" name)
        list(JOIN ${dll} "\n" exports)
        file(WRITE "${CMAKE_BINARY_DIR}/imports/${dll}.def" "LIBRARY ${name}.dll\nEXPORTS\n${exports}\n")
        add_custom_command(OUTPUT imports/lib${dll}.a
            COMMAND "${CMAKE_DLLTOOL}" -m arm64 -d imports/${dll}.def -l imports/lib${dll}.a
            DEPENDS "${CMAKE_BINARY_DIR}/imports/${dll}.def")
        list(APPEND import_libraries imports/lib${dll}.a)
    endforeach()
    add_custom_target(import_libraries DEPENDS ${import_libraries})
    link_directories("${CMAKE_BINARY_DIR}/imports")
endif()

configure_file(res/version.h.in version.h @ONLY)
add_executable(layerbar WIN32
    src/main/entry.cpp
    src/platform/win32_platform.cpp
    res/layerbar.rc)
set_source_files_properties(res/layerbar.rc PROPERTIES
    OBJECT_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/res/layerbar.ico;${CMAKE_CURRENT_SOURCE_DIR}/res/layerbar.manifest")
target_include_directories(layerbar PRIVATE "${CMAKE_CURRENT_BINARY_DIR}" res)
set_target_properties(layerbar PROPERTIES INTERPROCEDURAL_OPTIMIZATION ON)
target_link_libraries(layerbar PRIVATE
    layerbar_logic layerbar_warnings layerbar_program_flags kernel32 user32)
if(TARGET import_libraries)
    add_dependencies(layerbar import_libraries)
endif()
target_link_options(layerbar PRIVATE
    -nostdlib -nostartfiles -s
    -Wl,--entry=${symbol_prefix}LayerbarEntry
    -Wl,--gc-sections
    -Wl,--no-insert-timestamp
    -Wl,--dynamicbase -Wl,--nxcompat ${high_entropy})
# LLD marks a program terminal-server aware, which GNU ld does not: the same flags for every build.
if(CMAKE_CXX_COMPILER_ID STREQUAL Clang)
    target_link_options(layerbar PRIVATE -Wl,-Xlink=-tsaware:no)
endif()
# Linker warnings fail the build where compiler warnings do.
if(CMAKE_COMPILE_WARNING_AS_ERROR)
    target_link_options(layerbar PRIVATE -Wl,--fatal-warnings)
endif()
