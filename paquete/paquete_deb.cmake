# The Debian package, built by CPack: `cpack -G DEB` in a configured build tree (scripts/package does it all).

set(TANQUE_MANTENEDOR "Tanque maintainers <maintainers@tanque.invalid>"
    CACHE STRING "The Maintainer field of the Debian package: Name <address>")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tanque)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${TANQUE_MANTENEDOR}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TANQUE_MANTENEDOR}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "level control of a water tank: simulator for teaching and identification")
# The synopsis line is the summary above; this is the extended description under it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "“Generación de Patrones para Identificación de una Planta” is a desktop
simulator of one water tank, a first-order plant integrated with fourth-order
Runge-Kutta. The level is driven by an open-loop step of inflow, a PID
controller or an incremental fuzzy controller with a 5 x 5 rule base, while a
drawing of the tank and a chart show level, control action and reference
sample by sample. The plotted samples can be written to a text file as an
input/output record for identifying the plant. The user interface is in
Spanish.

The package holds the window program tanque, with its desktop menu entry and
icon, and the batch generator tanque-lote, which writes the same records
without windows, and the Python 3 module tanque, whose runs return numpy
arrays and write the same records as tanque-lote.")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)

# The shared libraries' packages come from dpkg-shlibdeps; what is loaded without being linked is named here:
# the X11 platform plugin, the Liberation faces that the windows ask for, and Qt's own translations, which
# put the standard dialogs' texts in Spanish; and libmatio and libhdf5, which write the MAT and HDF5 records
# (export_formatos), named here so that the package has them whether or not the programs link them yet; and
# libnettle8, whose SHA-256 the descriptions of the records name.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation, qt6-translations-l10n, libmatio11, libhdf5-103-1, libnettle8")
# The Python module tanque (/usr/lib/python3/dist-packages/tanque): Debian's python3 and numpy for its arrays;
# Dask only for the sweeps on a cluster, so a suggestion.
if(TANQUE_PYTHON)
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", python3 (>= 3.11), python3 (<< 3.12), python3-numpy")
  set(CPACK_DEBIAN_PACKAGE_SUGGESTS "python3-dask, python3-distributed")
endif()

set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

include(CPack)
