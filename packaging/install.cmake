# Installs Vantrel as a desktop program (the executable and, on Linux and other
# freedesktop systems, a desktop entry and the icon in the hicolor theme) and packs that
# same layout into a Debian package: `cpack -G DEB` in the build folder. Tests are never
# installed.
include(GNUInstallDirs)

install(TARGETS vantrel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(NOT UNIX OR APPLE)
    return()
endif()

install(FILES ${CMAKE_CURRENT_LIST_DIR}/vantrel.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

set(VANTREL_ICON_DIR ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${PROJECT_SOURCE_DIR}/images/vantrel.png
    DESTINATION ${VANTREL_ICON_DIR}/256x256/apps)
foreach(size 16 32 48 64 128)
    install(FILES ${PROJECT_SOURCE_DIR}/images/vantrel-${size}.png
        DESTINATION ${VANTREL_ICON_DIR}/${size}x${size}/apps
        RENAME vantrel.png)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vantrel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Vantrel Metrology")
set(CPACK_PACKAGE_CONTACT "Vantrel Developers <dev@vantrel.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The Qt 5 runtime libraries the executable links, found by dpkg-shlibdeps (dpkg-dev).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "viewer for laser-interferometer calibration files
Vantrel shows the result files that laser-interferometer calibration systems
write when they measure a machine axis: linear, angular and straightness data.
It reports the file's kind, the environment readings, the number of runs and
the mean deviation at every target, beside a zoomable graph with one curve per
run, and copies the numbers to the clipboard or a CSV file.")
include(CPack)
