# The Debian package: cpack -G DEB in a build folder makes quorvane_<version>_<arch>.deb
# from the install rules. Library dependencies come from dpkg-shlibdeps; the
# rest are what the program needs at run time beyond its libraries.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "map a flight switch panel to keystrokes and simulator events")
# cpack indents the body and turns its empty line into Debian's " .".
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Quorvane connects a Saitek Pro Flight Switch Panel (USB) to a flight
simulator: every switch change becomes keystrokes for the focused window or
an event sent to the simulator, and the panel's gear lights follow the
aircraft's gear. Keystrokes reach X11 through XTest and other desktops
through a uinput keyboard.

A stand-in simulator is included, to try the program without one.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER
    "Quorvane developers <maintainers@users.noreply.c-seed-8ab2a54a.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window's platform plugins and the faces its fixed layout is measured in.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, fonts-crosextra-carlito, fonts-crosextra-caladea")
# notify-send: the launcher's reason for not starting reaches a menu start.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libnotify-bin")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${CMAKE_SOURCE_DIR}/packaging/postinst ${CMAKE_SOURCE_DIR}/packaging/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
