# cpack -G DEB: one binary package of the installed tree, with the
# dependencies dpkg-shlibdeps finds. scripts/package builds it.
set(CPACK_PACKAGE_NAME tavrin)
set(CPACK_PACKAGE_VENDOR "Tavrin developers")
set(CPACK_PACKAGE_CONTACT "Tavrin developers <tavrin@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "channel list editor for satellite receivers")
set(CPACK_PACKAGE_DESCRIPTION
    "Tavrin opens the channel database taken from a digital satellite receiver
(a user-database dump, a default database or a whole flash image), shows
its satellites, transponders, programmes, favourite groups and hot keys,
lets them be reordered and edited, and saves the file in the same format.
tavrin-cli exports and imports the same files as JSON.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

# What every Debian package carries in its documentation folder.
set(_tavrin_doc share/doc/${CPACK_PACKAGE_NAME})
set(_changelog ${CMAKE_BINARY_DIR}/changelog.Debian.gz)
add_custom_command(OUTPUT ${_changelog}
    COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/packaging/debian/changelog > ${_changelog}
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/debian/changelog
    VERBATIM)
add_custom_target(tavrin_package_docs ALL DEPENDS ${_changelog})
install(FILES ${_changelog} packaging/debian/copyright DESTINATION ${_tavrin_doc})

include(CPack)
