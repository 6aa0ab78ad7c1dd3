# Run by CPack: writes the release zip from the staging folder, for CPack to
# put in the build folder. The files go in flat and in a fixed order, dated
# at the time of the commit built (or SOURCE_DATE_EPOCH), in UTC, without
# extra attributes, so that the same commit always gives the same bytes.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(epoch "$ENV{SOURCE_DATE_EPOCH}")
else()
    execute_process(COMMAND git log -1 --format=%ct
                    WORKING_DIRECTORY "${CPACK_LAYERBAR_SOURCE_DIR}"
                    OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE
                    ERROR_VARIABLE why ERROR_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "git could not tell the time of the commit built (${why}). Outside "
                            "a git clone, set SOURCE_DATE_EPOCH to the time to date the zip at.")
    endif()
endif()

set(files "")
foreach(file IN LISTS CPACK_LAYERBAR_FILES)
    list(APPEND files "${CPACK_TEMPORARY_DIRECTORY}/${file}")
endforeach()
set(zip "${CPACK_TOPLEVEL_DIRECTORY}/${CPACK_PACKAGE_FILE_NAME}.zip")
file(REMOVE "${zip}")
execute_process(COMMAND touch -d "@${epoch}" ${files} COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND "${CMAKE_COMMAND}" -E env TZ=UTC zip -X -j -q "${zip}" ${files}
                COMMAND_ERROR_IS_FATAL ANY)
set(CPACK_EXTERNAL_BUILT_PACKAGES "${zip}")
