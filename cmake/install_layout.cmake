# Where an installation puts korvane's helpers and data, relative to the install prefix.
# The program finds both from its own folder, so the relative paths from bin/ are compiled
# into the platform library (install_layout.cpp) and the install rules use the same names.
include(GNUInstallDirs)
set(KORVANE_INSTALL_HELPERDIR "lib/korvane")
set(KORVANE_INSTALL_DATADIR "${CMAKE_INSTALL_DATADIR}/korvane")
file(RELATIVE_PATH KORVANE_HELPER_DIR_FROM_BIN "/prefix/${CMAKE_INSTALL_BINDIR}"
     "/prefix/${KORVANE_INSTALL_HELPERDIR}")
file(RELATIVE_PATH KORVANE_DATA_DIR_FROM_BIN "/prefix/${CMAKE_INSTALL_BINDIR}"
     "/prefix/${KORVANE_INSTALL_DATADIR}")
# The package always installs below /usr; pages that name full paths use it.
set(KORVANE_PACKAGE_PREFIX "/usr")
# The date of this version, for the man pages and the AppStream release.
set(KORVANE_RELEASE_DATE "2026-12-07")
