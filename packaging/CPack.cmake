# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: `cpack -G DEB` in the build folder (scripts/package does it and checks it).

set(ZORVANE_PACKAGE_MAINTAINER "Zorvane developers <zorvane@users.noreply.github.com>"
    CACHE STRING "Maintainer field of the Debian package")

set(CPACK_PACKAGE_NAME zorvane)
set(CPACK_PACKAGE_VENDOR "Zorvane developers")
set(CPACK_PACKAGE_CONTACT "${ZORVANE_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "HTML source editor with a live preview")
# dpkg shows the description as written: lines under 80 columns.
set(CPACK_PACKAGE_DESCRIPTION
    "Zorvane edits the source of one web page at a time. The markup is recoloured\n\
as you type, menus, toolbars and small dialogs write ready-made HTML fragments\n\
at the caret, a tag reference inserts tags and attributes, find and replace\n\
searches the text, and the page can be previewed at any time in a real browser\n\
engine, on a tab or in its own window.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ZORVANE_PACKAGE_MAINTAINER}")
# Libraries the program links come from dpkg-shlibdeps; what it loads at run time does not show
# there: the browser engine's helper process and resources, the platform and SVG plugins, a font.
# (Qt WebEngine's own shlibs name its helper process too, which then appears twice: harmless.)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The program's own libraries (the core and the preview module) are private to it.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS "${CMAKE_BINARY_DIR}/src/lib")
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6webenginecore6-bin, libqt6webengine6-data, libqt6svg6, qt6-qpa-plugins, \
fonts-dejavu-core | fonts-liberation2 | fonts-freefont-ttf")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
