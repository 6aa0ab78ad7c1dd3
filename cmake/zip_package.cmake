# Run by CPack: writes the release zip into dist/ from the staging folder. The files
# go in flat and in a fixed order, dated at the time of the commit built
# (or SOURCE_DATE_EPOCH), in UTC, without extra attributes, so that the
# same commit always gives the same bytes.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(epoch "$ENV{SOURCE_DATE_EPOCH}")
else()
    execute_process(COMMAND git log -1 --format=%ct
                    WORKING_DIRECTORY "${CPACK_LAYERBAR_SOURCE_DIR}"
                    OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE
                    COMMAND_ERROR_IS_FATAL ANY)
endif()

set(files "")
foreach(file IN LISTS CPACK_LAYERBAR_FILES)
    list(APPEND files "${CPACK_TEMPORARY_DIRECTORY}/${file}")
endforeach()
set(zip "${CPACK_LAYERBAR_DIST_DIR}/${CPACK_PACKAGE_FILE_NAME}.zip")
file(MAKE_DIRECTORY "${CPACK_LAYERBAR_DIST_DIR}")
file(REMOVE "${zip}")
execute_process(COMMAND touch -d "@${epoch}" ${files} COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND "${CMAKE_COMMAND}" -E env TZ=UTC zip -X -j -q "${zip}" ${files}
                COMMAND_ERROR_IS_FATAL ANY)
set(CPACK_EXTERNAL_BUILT_PACKAGES "${zip}")
