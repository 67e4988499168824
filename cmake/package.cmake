# The Debian package, built with `cpack -G DEB` in a release build folder. Debian's
# triggers (shared-mime-info, desktop-file-utils, the icon cache, man-db) refresh the
# caches, so the package has no maintainer scripts.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME korvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX ${KORVANE_PACKAGE_PREFIX})
set(CPACK_PACKAGE_CONTACT "Korvane Maintainers <korvane@brevik.de>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Korvane Maintainers <korvane@brevik.de>")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "job shell for the mainframe source wrapper tools")
# CPack puts the summary first and indents the rest; an empty line becomes " .".
set(CPACK_PACKAGE_DESCRIPTION "Korvane collects a job for the command-line wrapper tools that process
mainframe sources (COBOL, PL/I, Assembler, C/C++, screen maps, HTML),
prepares the tools' input, starts and watches the tools and shows their
results. With -batch the same run works without a window.

Stelmar, the small PL/I front-end, lists the FILE declarations and
procedures of PL/I sources and starts the PL/I wrapper tools.")
include(CPack)
