# Tests of layerbar.exe: checks of the file with binutils, and runs of probe.exe, which stages shell
# windows on a desktop of its own, runs layerbar.exe there and reads the windows back. On a Linux
# host each Windows program runs under Wine, in a Wine session of its own (tests/wine/wine-run).
# The processor's name in the presets, and the kind of program wine-run takes it for.
set(arch_x86_64 x64)
set(arch_i686 x86)
set(arch_aarch64 arm64)
set(arch ${arch_${CMAKE_SYSTEM_PROCESSOR}})
set(wine_kind_x64 64)
set(wine_kind_x86 32)
set(wine_kind_arm64 arm64)

# The layerbar.exe under test: the one built here, or a copy of a prebuilt one (a release, say).
set(LAYERBAR_EXE "" CACHE FILEPATH "A prebuilt layerbar.exe to test instead of the one built here")
set(exe layerbar.exe)
if(LAYERBAR_EXE)
    # Refused unless made for this preset's processor: the machine field of its PE header, 4 bytes
    # past the offset that 0x3C holds, both little-endian.
    set(processor_x86_64 6486)
    set(processor_i686 4c01)
    set(processor_aarch64 64aa)
    set(machine_6486 "64-bit (x64)")
    set(machine_4c01 "32-bit (x86)")
    set(machine_64aa ARM64)
    file(READ "${LAYERBAR_EXE}" header LIMIT 1024 HEX)
    if(NOT header MATCHES "^4d5a")
        message(FATAL_ERROR "LAYERBAR_EXE is no Windows executable: ${LAYERBAR_EXE}")
    endif()
    string(SUBSTRING "${header}" 120 8 offset)
    string(REGEX REPLACE "(..)(..)(..)(..)" "\\4\\3\\2\\1" offset "${offset}")
    math(EXPR offset "(0x${offset} + 4) * 2")
    string(SUBSTRING "${header}" ${offset} 4 machine)
    set(wanted ${processor_${CMAKE_SYSTEM_PROCESSOR}})
    if(NOT machine STREQUAL wanted)
        message(FATAL_ERROR "LAYERBAR_EXE is a ${machine_${machine}} executable (machine ${machine}), and "
            "this preset tests ${machine_${wanted}} ones: ${LAYERBAR_EXE}")
    endif()
    configure_file("${LAYERBAR_EXE}" prebuilt/layerbar.exe COPYONLY)
    set(exe prebuilt/layerbar.exe)
endif()
set(windows_exe "${CMAKE_BINARY_DIR}/${exe}")

if(NOT CMAKE_HOST_WIN32)
    # Each program is killed after 100 s; wine-run, which names the build folder to Wine as drive
    # B:, takes at most 600 s besides. The clone's one Wine prefix is in build/wine.
    set(wine_timeout 720)
    set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_SOURCE_DIR}/tests/wine/wine-run"
        "${CMAKE_SOURCE_DIR}/build/wine" "${CMAKE_BINARY_DIR}" ${wine_kind_${arch}} 100)
    set(windows_exe "B:/${exe}")
endif()

# binutils knows no ARM64 PE files: LLVM's llvm-readobj reads those, and the resources it dumps.
if(arch STREQUAL arm64)
    find_program(LAYERBAR_READOBJ NAMES llvm-readobj-14 llvm-readobj REQUIRED)
    set(reader "${LAYERBAR_READOBJ}")
    set(resources "${LAYERBAR_READOBJ}" --coff-resources)
else()
    set(reader "${CMAKE_OBJDUMP}")
    # windres prints the resources of the file as a resource script.
    set(resources "${CMAKE_RC_COMPILER}" -O rc -i)
endif()
add_test(NAME executable
    COMMAND bash "${CMAKE_SOURCE_DIR}/tests/artefacts/check-executable" "${reader}" "${CMAKE_BINARY_DIR}/${exe}" ${arch})
add_test(NAME icons COMMAND ${resources} "${CMAKE_BINARY_DIR}/${exe}")
add_test(NAME version COMMAND ${resources} "${CMAKE_BINARY_DIR}/${exe}")
set_tests_properties(executable icons version PROPERTIES LABELS exe)
# Icons 1 and 2 are 32x32 and 16x16 with 4 bits a pixel (from their bitmap headers: size 40, width,
# twice the height, 1 plane and 4 bits), and the group MAINICON holds the two, 16 colours each; the
# version is the project's, in the numbers and the strings.
if(arch STREQUAL arm64)
    # As llvm-readobj dumps a 32-bit value made of two 16-bit halves, little-endian: 1.2 is 02000100.
    function(dumped high low out)
        math(EXPR value "(${high} << 16) | ${low}" OUTPUT_FORMAT HEXADECIMAL)
        string(REGEX REPLACE "^0x" "0000000" value "${value}")
        string(REGEX REPLACE ".*(..)(..)(..)(..)$" "\\4\\3\\2\\1" value "${value}")
        string(TOUPPER "${value}" value)
        set(${out} "${value}" PARENT_SCOPE)
    endfunction()
    dumped(${PROJECT_VERSION_MAJOR} ${PROJECT_VERSION_MINOR} high)
    dumped(${PROJECT_VERSION_PATCH} 0 low)
    set_tests_properties(icons PROPERTIES PASS_REGULAR_EXPRESSION
        [=[Type: ICON \(ID 3\).*Name: \(ID 1\).*0000: 28000000 20000000 40000000 01000400 .*Name: \(ID 2\).*0000: 28000000 10000000 20000000 01000400 .*Type: GROUP_ICON \(ID 14\).*Name: MAINICON.*0000: 00000100 02002020 10000100 0400[0-9A-F]+ .*0010: [0-9A-F][0-9A-F][0-9A-F][0-9A-F]0100 10101000 01000400 [0-9A-F]+ .*0020: 0200 ]=])
    set_tests_properties(version PROPERTIES PASS_REGULAR_EXPRESSION
        "Type: VERSIONINFO \\(ID 16\\).*BD04EFFE 00000100 .*0030: ${high} ${low} ${high} ${low} ")
else()
    set_tests_properties(icons PROPERTIES PASS_REGULAR_EXPRESSION
        [=[1 3 /\* RT_ICON \*/[^0]*0x28L *, 0x20L *, 0x40L *, 0x40001L.*2 3 /\* RT_ICON \*/[^0]*0x28L *, 0x10L *, 0x20L *, 0x40001L.*"MAINICON" 14 /\* RT_GROUP_ICON \*/[^0]*0, 1, 2,.*"\\040\\040\\020\\000", 1, 4, [^,]*, 1,.*"\\020\\020\\020\\000", 1, 4, [^,]*, 2]=])
    string(REPLACE "." ", " numbers "${PROJECT_VERSION}")
    string(REPLACE "." "\\." version_pattern "${PROJECT_VERSION}")
    set_tests_properties(version PROPERTIES PASS_REGULAR_EXPRESSION
        "FILEVERSION ${numbers}, 0.*PRODUCTVERSION ${numbers}, 0.*\"ProductName\", \"layerbar\".*\"ProductVersion\", \"${version_pattern}\"")
endif()

# checker.exe, a probe that needs no runtime, built alike for every architecture, whose outputs the
# ARM64 run compares.
add_executable(checker tests/wine/checker.cpp)
target_link_libraries(checker PRIVATE layerbar_warnings layerbar_program_flags kernel32 user32)
target_link_options(checker PRIVATE -nostdlib -nostartfiles -Wl,--entry=${symbol_prefix}CheckerEntry)
if(TARGET import_libraries)
    add_dependencies(checker import_libraries)
endif()

# On Linux, the ARM64 build runs the table of tests/wine/arm64-table under emulated arm64 Wine, held
# line for line to the x64 build's run of it.
if(arch STREQUAL arm64 AND NOT CMAKE_HOST_WIN32)
    add_test(NAME emulated
        COMMAND bash "${CMAKE_SOURCE_DIR}/tests/wine/compare-arm64" "${CMAKE_BINARY_DIR}" "${exe}")
    set_tests_properties(emulated PROPERTIES LABELS exe SKIP_RETURN_CODE 77 TIMEOUT 1500)
endif()

# probe.exe needs the C++ runtime, which Debian's LLVM lacks for Windows on ARM.
if(NOT LAYERBAR_CXX_RUNTIME)
    return()
endif()
add_executable(probe
    tests/wine/probe.cpp
    tests/wine/cases.cpp
    tests/wine/real_taskbar.cpp
    tests/wine/shell_stage.cpp)
target_link_libraries(probe PRIVATE layerbar_warnings gdi32)
target_link_options(probe PRIVATE -static)
add_test(NAME cases COMMAND probe cases "${windows_exe}")
add_test(NAME stress COMMAND probe stress "${windows_exe}")
set_tests_properties(cases stress PROPERTIES LABELS exe)

if(NOT CMAKE_HOST_WIN32)
    # Where 32-bit programs cannot run, wine-run skips them with exit code 77, unless
    # LAYERBAR_REQUIRE_32BIT=1.
    set_tests_properties(cases stress PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT ${wine_timeout})
    if(arch STREQUAL x86)
        # The skip that a machine without 32-bit support gets, forced here.
        add_test(NAME wine-skip-32bit COMMAND probe cases "${windows_exe}")
        set_tests_properties(wine-skip-32bit PROPERTIES TIMEOUT 30
            ENVIRONMENT "LAYERBAR_NO_32BIT=1;LAYERBAR_REQUIRE_32BIT="
            PASS_REGULAR_EXPRESSION "^skipped: LAYERBAR_NO_32BIT=1 is set\n$")
    endif()
endif()
