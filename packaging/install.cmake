# Installs Vantrel as a desktop program (the executable and, on Linux and other
# freedesktop systems, a desktop entry, the icon in the hicolor theme, the file kinds, the
# AppStream entry, the manual page and the documentation Debian asks for) and packs that
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

# The file kinds for file managers, the software-centre entry, the licence and the changes.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/vantrel-mime.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME vantrel.xml)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/io.github.vantrel.Vantrel.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# Debian's place, named for the package rather than the project.
set(VANTREL_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/vantrel)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright DESTINATION ${VANTREL_DOC_DIR})
# Debian wants documentation compressed with the highest level and no time stamp.
function(vantrel_gzip source output)
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E copy ${source} ${output}.tmp
        COMMAND gzip -9nf ${output}.tmp
        COMMAND ${CMAKE_COMMAND} -E rename ${output}.tmp.gz ${output}
        DEPENDS ${source} VERBATIM)
endfunction()
vantrel_gzip(${CMAKE_CURRENT_LIST_DIR}/changelog ${PROJECT_BINARY_DIR}/changelog.gz)
add_custom_target(vantrel_changelog ALL DEPENDS ${PROJECT_BINARY_DIR}/changelog.gz)
install(FILES ${PROJECT_BINARY_DIR}/changelog.gz DESTINATION ${VANTREL_DOC_DIR})

# The manual page, made from the built program's --help and --version (which need no
# display) and the sections in vantrel.h2m, so that it always lists the options there are.
find_program(HELP2MAN help2man)
if(HELP2MAN)
    set(VANTREL_MAN_PAGE ${PROJECT_BINARY_DIR}/vantrel.1)
    add_custom_command(OUTPUT ${VANTREL_MAN_PAGE}
        COMMAND ${HELP2MAN} --no-info --no-discard-stderr
                --include=${CMAKE_CURRENT_LIST_DIR}/vantrel.h2m
                --section=1 --output=${VANTREL_MAN_PAGE} $<TARGET_FILE:vantrel>
        DEPENDS vantrel ${CMAKE_CURRENT_LIST_DIR}/vantrel.h2m VERBATIM)
    vantrel_gzip(${VANTREL_MAN_PAGE} ${VANTREL_MAN_PAGE}.gz)
    add_custom_target(vantrel_man_page ALL DEPENDS ${VANTREL_MAN_PAGE}.gz)
    install(FILES ${VANTREL_MAN_PAGE}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
    message(WARNING "No help2man: the manual page is neither built nor installed")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vantrel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Vantrel Metrology")
set(CPACK_PACKAGE_CONTACT "Vantrel Developers <dev@vantrel.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# The folders of the package get 0755 whatever the umask of the build.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
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
