# The program run from a shell, the installed program on a real X server and the Debian
# package (Linux only).
if(NOT UNIX OR APPLE)
    return()
endif()

# The built program in a shell loop, with no display at all.
add_test(NAME batch
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/batch.sh $<TARGET_FILE:vantrel> ${CMAKE_SOURCE_DIR}/examples)
set_tests_properties(batch PROPERTIES ENVIRONMENT "${VANTREL_SANITIZER_ENVIRONMENT}" TIMEOUT 120)

find_package(X11)
if(X11_FOUND)
    # Sends a window the close request a window manager sends for its close button.
    add_executable(closewindow closewindow.cpp)
    target_link_libraries(closewindow PRIVATE X11::X11)
    set_target_properties(closewindow PROPERTIES AUTOMOC OFF)

    add_test(NAME smoke
        COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/smoke.sh ${CMAKE_COMMAND} ${CMAKE_BINARY_DIR}
                ${CMAKE_SOURCE_DIR}/examples/x-axis-linear.rtl $<TARGET_FILE:closewindow>)
    set(smoke_environment LC_ALL=de_DE.UTF-8 ${VANTREL_SANITIZER_ENVIRONMENT})
    set_tests_properties(smoke PROPERTIES ENVIRONMENT "${smoke_environment}" TIMEOUT 150)
else()
    message(WARNING "No X11 headers (libx11-dev): the smoke test is left out")
endif()

find_program(DPKG_DEB dpkg-deb)
if(DPKG_DEB)
    add_test(NAME package
        COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/package.sh ${CMAKE_CPACK_COMMAND}
                ${CMAKE_BINARY_DIR}/CPackConfig.cmake ${CMAKE_SOURCE_DIR}/examples)
    # The packaged program draws a graph, so a sanitizer build needs its suppressions.
    set_tests_properties(package PROPERTIES ENVIRONMENT "${VANTREL_SANITIZER_ENVIRONMENT}"
        TIMEOUT 150)
endif()
