# Installing lays the program out for any prefix: the executable in bin/, its
# data in share/kestrix/ (where the program looks when no InitList.ini lies
# beside it), and the desktop integration: launcher, icon, board file type,
# board previews and software-centre entry, the manual page and the shell completions.
include(GNUInstallDirs)

set(KESTRIX_DATA_DESTINATION ${CMAKE_INSTALL_DATADIR}/kestrix)
set(KESTRIX_APP_ID org.kestrix.Kestrix)

install(TARGETS kestrix RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES data/InitList.ini data/Kestrix.ini DESTINATION ${KESTRIX_DATA_DESTINATION})
install(DIRECTORY data/Boards DESTINATION ${KESTRIX_DATA_DESTINATION})
# The pictures and the language flags are drawn at build time into bin/.
install(DIRECTORY ${KESTRIX_BIN_DIR}/Images DESTINATION ${KESTRIX_DATA_DESTINATION}
    FILES_MATCHING PATTERN "*.bmp")
install(DIRECTORY ${KESTRIX_BIN_DIR}/Language DESTINATION ${KESTRIX_DATA_DESTINATION}
    FILES_MATCHING PATTERN "??.txt" PATTERN "??.bmp")

install(FILES data/desktop/${KESTRIX_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/desktop/kestrix.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
# File managers that read thumbnailers show board files with their preview.
install(FILES data/desktop/kestrix.thumbnailer DESTINATION ${CMAKE_INSTALL_DATADIR}/thumbnailers)
configure_file(data/desktop/${KESTRIX_APP_ID}.metainfo.xml.in
    ${CMAKE_BINARY_DIR}/${KESTRIX_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/${KESTRIX_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons
    FILES_MATCHING PATTERN "*.png")
# The README with its screenshot, which the software-centre entry shows too.
install(FILES LICENSE README.md data/desktop/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kestrix)
install(FILES docs/screenshot.png DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kestrix/docs)

# The changelog in Debian's format, gzipped as Debian ships it (no name or
# time in the header, so every build writes the same bytes).
set(KESTRIX_CHANGELOG ${CMAKE_BINARY_DIR}/changelog/changelog)
configure_file(data/desktop/changelog.in ${KESTRIX_CHANGELOG} @ONLY)
add_custom_command(
    OUTPUT ${KESTRIX_CHANGELOG}.gz
    COMMAND gzip -9nkf ${KESTRIX_CHANGELOG}
    DEPENDS ${KESTRIX_CHANGELOG}
    VERBATIM)
add_custom_target(kestrix_changelog ALL DEPENDS ${KESTRIX_CHANGELOG}.gz)
install(FILES ${KESTRIX_CHANGELOG}.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kestrix)

# Written at build time from the options --help prints (tools/).
install(FILES ${KESTRIX_DOCS_DIR}/kestrix.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${KESTRIX_DOCS_DIR}/kestrix.bash DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
    RENAME kestrix)
install(FILES ${KESTRIX_DOCS_DIR}/_kestrix DESTINATION ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions)
install(FILES ${KESTRIX_DOCS_DIR}/kestrix.fish DESTINATION ${CMAKE_INSTALL_DATADIR}/fish/vendor_completions.d)

# cpack -G DEB: the library packages come from dpkg-shlibdeps; the window
# system's plugins and the file-type database are not linked, so named here.
set(CPACK_PACKAGE_NAME kestrix)
set(CPACK_PACKAGE_VENDOR "The Kestrix developers")
set(CPACK_PACKAGE_CONTACT "The Kestrix developers <kestrix@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for the game boards of Zorvan")
# Debian shows the description as it is broken here: lines of at most 80.
set(CPACK_PACKAGE_DESCRIPTION "Kestrix edits the 12 x 12 game boards of the board game Zorvan: tiles\n\
are picked from a palette, turned and applied, conveyor belts fit themselves\n\
to their neighbours, and boards are checked, saved, exported as pictures and\n\
printed. Licence: GPL-3.0-or-later.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# An editor of board files that draws and prints them: Debian's section for
# editors and viewers of pictures ("editors" is for text editors).
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils, hicolor-icon-theme")
include(CPack)
