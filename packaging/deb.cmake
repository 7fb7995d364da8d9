# The Debian package, built from the install rules by `cpack -G DEB` in the
# build folder: mapurix_<version>_amd64.deb. dpkg-shlibdeps finds the Qt
# libraries the program links; what it loads at run time without linking is
# named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mapurix)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Mapurix developers")
set(CPACK_PACKAGE_CONTACT "Mapurix <mapurix@mapurix.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Juego de geografía: mapas, regiones y banderas")
set(CPACK_PACKAGE_DESCRIPTION "Un juego de geografía para niños: elige un mapa y estudia sus regiones o \
ponte a prueba señalándolas en el mapa. Incluye mapas de los continentes, de España y de \
los Estados Unidos, con fichas, fotos y banderas.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE amd64)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
# The windows ask for Arial and MS Sans Serif; Liberation Sans stands in.
# GIF reading and the X11 platform come with libqt6gui6, SVG icons with
# libqt6svg6, sound back ends with libqt6multimedia6.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, libqt6svg6")
include(CPack)
