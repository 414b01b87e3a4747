# The Debian package: `make package` writes build/lumafolio_<version>_<arch>.deb, installing
# under /usr what `make install` installs, with the library packages found by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumafolio)
set(CPACK_PACKAGE_CONTACT "Lumafolio maintainers <${LUMAFOLIO_SUPPORT_EMAIL}>")
set(CPACK_PACKAGE_DESCRIPTION "${LUMAFOLIO_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
    GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${LUMAFOLIO_MAKER_URL}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# MIDI needs the soundfont; the daemons run the saver; on Wayland Qt's plugin makes the show a
# Wayland client of its own, which the idle inhibitor needs.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "timgm6mb-soundfont, xscreensaver, xsecurelock, qt6-wayland")
include(CPack)

# What Debian asks of every package: the copyright and a changelog, compressed without a
# timestamp. The changelog's date is the build's, or SOURCE_DATE_EPOCH's.
set(PACKAGE_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/lumafolio)
string(TIMESTAMP LUMAFOLIO_PACKAGE_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.in ${PROJECT_BINARY_DIR}/changelog @ONLY)
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/changelog.gz
    COMMAND gzip -9nkf ${PROJECT_BINARY_DIR}/changelog
    DEPENDS ${PROJECT_BINARY_DIR}/changelog)
add_custom_target(lumafolio_changelog ALL DEPENDS ${PROJECT_BINARY_DIR}/changelog.gz)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright ${PROJECT_BINARY_DIR}/changelog.gz
    DESTINATION ${PACKAGE_DOC_DIR})
