# What `cmake --install` puts besides the programs (their own folders install those), and the Debian
# package CPack makes of it (`./run package`). Only the two programs and their data are installed: the
# libraries are static and linked in, tests and benchmarks stay in the build folder.
include(GNUInstallDirs)
install(FILES LICENSE README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qianyan)
set(CPACK_PACKAGE_CONTACT "qianyan maintainers <qianyan@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calculator for rock-socketed bored piles (JGJ 94-2008)")
set(CPACK_PACKAGE_DESCRIPTION
    "qianyan (嵌岩) computes, for one rock-socketed bored pile at a time, the
characteristic vertical bearing capacity Ra and the design compressive
capacity of the pile body Rc under the Chinese building-pile code
JGJ 94-2008, writes the calculation sheets engineers hand in, and sweeps
design ranges in an optimisation workbench. It comes as a desktop program
(qianyan) and a command-line driver over the same calculations
(qianyan-cli).")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://example.org/qianyan")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the programs link come from dpkg-shlibdeps; the sheets need a font in which a CJK
# character is two columns wide, and Qt's own dialogs their Chinese translations, which nothing links.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-microhei, qt6-translations-l10n")

# `make package_source` packs the source tree, never the build folders inside it.
set(CPACK_SOURCE_IGNORE_FILES "/\\.git(/|$)" "/\\.cache/" "/build/")

include(CPack)
