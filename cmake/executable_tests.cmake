# Tests of the built layerbar.exe, on a Linux host: checks of the file
# itself, and runs on Wine, a real Win32 implementation, where probe.exe
# stages shell windows, runs layerbar.exe on them and reads them back. The
# Wine session is a CTest fixture the Wine tests share.
add_executable(probe
    tests/wine/probe.cpp
    tests/wine/cases.cpp
    tests/wine/resources.cpp
    tests/wine/shell_stage.cpp
    tests/wine/stress.cpp)
target_link_libraries(probe PRIVATE version)
target_link_options(probe PRIVATE -static)

set(LAYERBAR_WINE_DIR "${CMAKE_SOURCE_DIR}/build/wine" CACHE PATH
    "Folder of the throwaway Wine prefix and session of the tests")
set(wine_session "${CMAKE_SOURCE_DIR}/tests/wine/wine-session" "${LAYERBAR_WINE_DIR}")
math(EXPR bits "${CMAKE_SIZEOF_VOID_P} * 8")
# Windows paths of the two programs, through Wine's drive Z: (the Unix root).
set(probe_exe "Z:$<TARGET_FILE:probe>")
set(layerbar_exe "Z:$<TARGET_FILE:layerbar>")

# The resources are read by a 64-bit probe.exe, which loads a 32-bit
# executable as data too, so that they are checked where 32-bit programs
# cannot run; the 32-bit build makes one of its own for that.
if(bits EQUAL 64)
    set(reader_exe "${probe_exe}")
else()
    include(ExternalProject)
    ExternalProject_Add(probe64
        SOURCE_DIR "${CMAKE_SOURCE_DIR}"
        BINARY_DIR "${CMAKE_BINARY_DIR}/probe64"
        CMAKE_ARGS "--toolchain=${CMAKE_SOURCE_DIR}/cmake/mingw-w64-x86_64.cmake"
                   "-DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}"
        BUILD_COMMAND "${CMAKE_COMMAND}" --build . --target probe
        BUILD_ALWAYS ON
        INSTALL_COMMAND "")
    set(reader_exe "Z:${CMAKE_BINARY_DIR}/probe64/probe.exe")
endif()

enable_testing()
add_test(NAME executable
    COMMAND "${CMAKE_SOURCE_DIR}/tests/artefacts/check-executable"
            "${CMAKE_OBJDUMP}" $<TARGET_FILE:layerbar> ${bits})
set_tests_properties(executable PROPERTIES LABELS artefacts)

add_test(NAME wine-start COMMAND ${wine_session} start)
add_test(NAME wine-stop COMMAND ${wine_session} stop)
add_test(NAME wine-cases COMMAND ${wine_session} run ${bits} 120 ${probe_exe} cases ${layerbar_exe})
add_test(NAME wine-stress
    COMMAND ${wine_session} run ${bits} 300 ${probe_exe} stress ${layerbar_exe})
add_test(NAME wine-icons COMMAND ${wine_session} run 64 30 ${reader_exe} icons ${layerbar_exe})
add_test(NAME wine-version COMMAND ${wine_session} run 64 30 ${reader_exe} version ${layerbar_exe})
set_tests_properties(wine-start PROPERTIES FIXTURES_SETUP wine LABELS wine TIMEOUT 240)
set_tests_properties(wine-stop PROPERTIES FIXTURES_CLEANUP wine LABELS wine TIMEOUT 60)
# Where the 32-bit loader cannot run, wine-session skips a 32-bit run.
set_tests_properties(wine-cases wine-stress PROPERTIES SKIP_RETURN_CODE 77)
set_tests_properties(wine-cases PROPERTIES FIXTURES_REQUIRED wine LABELS wine TIMEOUT 150)
set_tests_properties(wine-stress PROPERTIES FIXTURES_REQUIRED wine LABELS wine TIMEOUT 330)
string(REPLACE "." "\\." version_pattern "${PROJECT_VERSION}")
set_tests_properties(wine-version PROPERTIES FIXTURES_REQUIRED wine LABELS "wine;artefacts"
    TIMEOUT 60 PASS_REGULAR_EXPRESSION
    "^layerbar ${version_pattern} \\(file version ${version_pattern}\\.0\\)\r?\n$")
set_tests_properties(wine-icons PROPERTIES FIXTURES_REQUIRED wine LABELS "wine;artefacts"
    TIMEOUT 60 PASS_REGULAR_EXPRESSION "^32x32 4-bit, 16x16 4-bit\r?\n$")

if(bits EQUAL 32)
    # The skip that a machine without 32-bit support gets, forced here.
    add_test(NAME wine-skip-32bit
        COMMAND "${CMAKE_COMMAND}" -E env LAYERBAR_NO_32BIT=1
                ${wine_session} run 32 30 ${probe_exe} cases ${layerbar_exe})
    set_tests_properties(wine-skip-32bit PROPERTIES FIXTURES_REQUIRED wine LABELS wine
        TIMEOUT 30 PASS_REGULAR_EXPRESSION "^skipped: LAYERBAR_NO_32BIT=1 is set\n$")
endif()
