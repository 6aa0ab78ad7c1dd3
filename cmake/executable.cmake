# layerbar.exe: a GUI-subsystem program without the C runtime. Its own entry point ends with
# ExitProcess, so the import table holds KERNEL32.dll and USER32.dll alone.
enable_language(RC)

# 32-bit C symbols carry a leading underscore; only 64-bit Windows has high-entropy ASLR.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(entry_symbol LayerbarEntry)
    set(high_entropy -Wl,--high-entropy-va)
else()
    set(entry_symbol _LayerbarEntry)
    set(high_entropy "")
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
target_link_options(layerbar PRIVATE
    -nostdlib -nostartfiles -s
    -Wl,--entry=${entry_symbol}
    -Wl,--gc-sections
    -Wl,--no-insert-timestamp
    -Wl,--dynamicbase -Wl,--nxcompat ${high_entropy})
# Linker warnings fail the build where compiler warnings do.
if(CMAKE_COMPILE_WARNING_AS_ERROR)
    target_link_options(layerbar PRIVATE -Wl,--fatal-warnings)
endif()
