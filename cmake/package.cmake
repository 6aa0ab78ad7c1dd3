# Installing, and the release zip through CPack: layerbar.exe, README.md and
# LICENSE, flat, as layerbar-<version>-win64.zip (or -win32.zip) in the
# build folder; scripts/package gathers the release into dist/.
include(GNUInstallDirs)
install(TARGETS layerbar RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
install(FILES README.md LICENSE DESTINATION "${CMAKE_INSTALL_DOCDIR}")

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(CPACK_SYSTEM_NAME win64)
else()
    set(CPACK_SYSTEM_NAME win32)
endif()
set(CPACK_PACKAGE_FILE_NAME "${PROJECT_NAME}-${PROJECT_VERSION}-${CPACK_SYSTEM_NAME}")
# CPack's own zip writer records the files' access and creation times, so
# the zip is written by zip_package.cmake from CPack's staging folder.
set(CPACK_GENERATOR External)
set(CPACK_EXTERNAL_ENABLE_STAGING ON)
set(CPACK_EXTERNAL_PACKAGE_SCRIPT "${CMAKE_SOURCE_DIR}/cmake/zip_package.cmake")
set(CPACK_LAYERBAR_SOURCE_DIR "${CMAKE_SOURCE_DIR}")
set(CPACK_LAYERBAR_FILES
    "${CMAKE_INSTALL_BINDIR}/layerbar.exe"
    "${CMAKE_INSTALL_DOCDIR}/README.md"
    "${CMAKE_INSTALL_DOCDIR}/LICENSE")
include(CPack)
