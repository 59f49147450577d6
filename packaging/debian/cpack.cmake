# The Debian package of the three programs: cpack -G DEB in the build
# folder (scripts/package.sh builds, packs and checks it).
set(TT_PACKAGE_NAME typing-trainers)
set(TT_PACKAGE_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/${TT_PACKAGE_NAME})

# Debian's documentation of the package: the licence in the machine-readable
# format and the package's change log, compressed as policy asks.
set(changelog_gz ${CMAKE_CURRENT_BINARY_DIR}/debian/changelog.Debian.gz)
add_custom_command(
  OUTPUT ${changelog_gz}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/debian
  COMMAND ${GZIP_PROGRAM} -9nc ${CMAKE_CURRENT_SOURCE_DIR}/debian/changelog > ${changelog_gz}
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/debian/changelog
  VERBATIM)
add_custom_target(tt-debian-changelog ALL DEPENDS ${changelog_gz})
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/debian/copyright ${changelog_gz}
        DESTINATION ${TT_PACKAGE_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${TT_PACKAGE_NAME})
set(CPACK_PACKAGE_VENDOR "The typing trainers authors")
set(CPACK_PACKAGE_CONTACT "The typing trainers authors <authors@typingtrainers.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "touch-typing trainers: a game for children, a course and a drill")
set(CPACK_PACKAGE_DESCRIPTION [=[Three touch-typing trainers for the Russian and the Latin keyboard:
zubbatik, a typing game for young children with a letter chase, a guided
finger lesson and high scores, in Russian, English, German and French;
pirvo3, a touch-typing course of seven lessons with a Russian interface;
vorm, a drill of switching letter case and keyboard layout by retyping
phrases.]=])
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_SOURCE_DIR}/debian/strip_notes.cmake)
set(CPACK_TT_STRIP ${CMAKE_STRIP})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TT_HOMEPAGE})
# The shared libraries come from dpkg-shlibdeps. Qt loads its platform
# plugins and pirvo3's SQLite driver (the lesson history) only at run
# time, and the Qt programs draw their forms in the Liberation fonts
# (metric twins of the fonts they were designed with).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6sql6-sqlite, fonts-liberation2")
# The help page and the about box's links open in the desktop's browser.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
