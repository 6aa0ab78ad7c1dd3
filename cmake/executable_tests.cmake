# Tests of the built layerbar.exe: checks of the file itself, and runs of
# probe.exe, which stages shell windows on a desktop of its own, runs
# layerbar.exe there and reads the windows back. On a Linux host every
# Windows program runs under Wine, in a session that is a CTest fixture the
# tests share; on a Windows host they run as they are.
math(EXPR bits "${CMAKE_SIZEOF_VOID_P} * 8")
if(NOT CMAKE_HOST_WIN32)
    set(LAYERBAR_WINE_DIR "${CMAKE_SOURCE_DIR}/build/wine" CACHE PATH
        "Folder of the throwaway Wine prefix and session of the tests")
    set(wine_session "${CMAKE_SOURCE_DIR}/tests/wine/wine-session" "${LAYERBAR_WINE_DIR}")
    # Every test of a program of this build runs it through Wine's loader
    # of its bitness; a 32-bit one is skipped where that cannot run. Each
    # run is killed after wine_limit seconds, within its test's time out.
    set(wine_limit 100)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${wine_session} run ${bits} ${wine_limit})
    # Windows paths reach the Unix root through Wine's drive Z:.
    set(drive "Z:")
endif()

add_executable(probe
    tests/wine/probe.cpp
    tests/wine/cases.cpp
    tests/wine/real_taskbar.cpp
    tests/wine/resources.cpp
    tests/wine/shell_stage.cpp
    tests/wine/stress.cpp)
target_link_libraries(probe PRIVATE layerbar_warnings gdi32 version)
target_link_options(probe PRIVATE -static)

# The layerbar.exe under test: the one built here, or a prebuilt one (a
# release, say), copied into the build folder first.
set(LAYERBAR_EXE "" CACHE FILEPATH "A prebuilt layerbar.exe to test instead of the one built here")
if(LAYERBAR_EXE)
    configure_file("${LAYERBAR_EXE}" prebuilt/layerbar.exe COPYONLY)
    set(exe "${CMAKE_BINARY_DIR}/prebuilt/layerbar.exe")
else()
    set(exe $<TARGET_FILE:layerbar>)
endif()
set(layerbar_exe "${drive}${exe}")

# Under Wine, a 64-bit probe.exe reads the resources, loading a 32-bit
# executable as data, so that they are checked where 32-bit programs cannot
# run; the 32-bit build makes one of its own for that.
if(bits EQUAL 32 AND NOT CMAKE_HOST_WIN32)
    include(ExternalProject)
    ExternalProject_Add(probe64
        SOURCE_DIR "${CMAKE_SOURCE_DIR}"
        BINARY_DIR "${CMAKE_BINARY_DIR}/probe64"
        CMAKE_ARGS "--toolchain=${CMAKE_SOURCE_DIR}/cmake/mingw-w64-x86_64.cmake"
                   "-DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}"
        BUILD_COMMAND "${CMAKE_COMMAND}" --build . --target probe
        BUILD_ALWAYS ON
        INSTALL_COMMAND ""
        LOG_CONFIGURE ON LOG_BUILD ON LOG_OUTPUT_ON_FAILURE ON)
    set(reader ${wine_session} run 64 ${wine_limit} "Z:${CMAKE_BINARY_DIR}/probe64/probe.exe")
else()
    set(reader probe)
endif()

add_test(NAME executable
    COMMAND bash "${CMAKE_SOURCE_DIR}/tests/artefacts/check-executable"
            "${CMAKE_OBJDUMP}" "${exe}" ${bits})
add_test(NAME cases COMMAND probe cases ${layerbar_exe})
add_test(NAME stress COMMAND probe stress ${layerbar_exe})
add_test(NAME icons COMMAND ${reader} icons ${layerbar_exe})
add_test(NAME version COMMAND ${reader} version ${layerbar_exe})
set_tests_properties(executable icons version cases stress PROPERTIES LABELS exe)
set_tests_properties(cases stress icons version PROPERTIES FIXTURES_REQUIRED wine)
# Where 32-bit programs cannot run, wine-session skips them with exit code 77.
set_tests_properties(cases stress PROPERTIES SKIP_RETURN_CODE 77)
# Each Wine run ends within wine_limit seconds; these time outs are a margin above.
set_tests_properties(cases stress icons version PROPERTIES TIMEOUT 120)
string(REPLACE "." "\\." version_pattern "${PROJECT_VERSION}")
set_tests_properties(version PROPERTIES PASS_REGULAR_EXPRESSION
    "^layerbar ${version_pattern} \\(file version ${version_pattern}\\.0\\)\r?\n$")
set_tests_properties(icons PROPERTIES PASS_REGULAR_EXPRESSION "^32x32 4-bit, 16x16 4-bit\r?\n$")

if(NOT CMAKE_HOST_WIN32)
    add_test(NAME wine-start COMMAND ${wine_session} start)
    add_test(NAME wine-stop COMMAND ${wine_session} stop)
    # Start waits up to 600 s for another run's session, 20 s for leftovers
    # and 300 s for its set-up; stop about 45 s in all.
    set_tests_properties(wine-start PROPERTIES FIXTURES_SETUP wine TIMEOUT 960)
    set_tests_properties(wine-stop PROPERTIES FIXTURES_CLEANUP wine TIMEOUT 60)
    if(bits EQUAL 64)
        add_test(NAME wine-session-stop COMMAND "${CMAKE_SOURCE_DIR}/tests/wine/check-session-stop")
    else()
        # The skip that a machine without 32-bit support gets, forced here.
        add_test(NAME wine-skip-32bit COMMAND probe cases ${layerbar_exe})
        set_tests_properties(wine-skip-32bit PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 30
            ENVIRONMENT LAYERBAR_NO_32BIT=1
            PASS_REGULAR_EXPRESSION "^skipped: LAYERBAR_NO_32BIT=1 is set\n$")
    endif()
endif()
