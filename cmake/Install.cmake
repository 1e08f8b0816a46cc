# What `cmake --install` and the Debian package put where: the program, its 22
# images in the data folder it looks in, the desktop entry, the icon, the manual
# page and the README with its screenshot.
install(TARGETS glintwake RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/Images DESTINATION ${GLINTWAKE_DATA_DIR} FILES_MATCHING PATTERN "*.bmp")
install(FILES ${CMAKE_SOURCE_DIR}/data/glintwake.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/data/glintwake.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps)
install(FILES ${CMAKE_SOURCE_DIR}/data/glintwake.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
# The README links its screenshot as data/screenshot.png, so it keeps that place.
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/glintwake)
install(FILES ${CMAKE_SOURCE_DIR}/data/screenshot.png DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/glintwake/data)

set(CPACK_PACKAGE_NAME glintwake)
set(CPACK_PACKAGE_VENDOR "Glintwake")
set(CPACK_PACKAGE_CONTACT "Glintwake developers <glintwake@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small full-screen 2-D space shooter")
set(CPACK_PACKAGE_DESCRIPTION
    "Fly a ship against endless waves of enemies, collect what they drop and spend it in the shop.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# The libraries come from dpkg-shlibdeps; the fonts are looked up by name at run time.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2 | fonts-dejavu-core")
set(CPACK_GENERATOR DEB)
include(CPack)
