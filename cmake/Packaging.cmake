# Installation (cmake --install) and the Debian package (cpack -G DEB, scripts/package.sh).
# The program finds the empty book of a new installation at ../share/vesk/ from its bin/, so
# the two folders keep these names under any prefix.
install(TARGETS vesk RUNTIME DESTINATION bin)
install(FILES ${CMAKE_BINARY_DIR}/share/vesk/kestdata.db DESTINATION share/vesk)
install(FILES ${PROJECT_SOURCE_DIR}/data/vesk.desktop DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/vesk.metainfo.xml DESTINATION share/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/data/icons/vesk.svg
        DESTINATION share/icons/hicolor/scalable/apps)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/icons/hicolor/ DESTINATION share/icons/hicolor
        FILES_MATCHING PATTERN "*.png")
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/ DESTINATION share/doc/vesk)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vesk)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Vesk <vesk@example.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Vesk进销存软件: purchase, sales and inventory book")
set(CPACK_PACKAGE_DESCRIPTION
    "A desktop purchase-sales-inventory book for a small trading business: warehouses,\n"
    "products, suppliers and customers, purchases, sales, returns, transfers, stock counts,\n"
    "the money journal, statistics and printing, all in Simplified Chinese. Each user's book\n"
    "lives in the user's data folder. Updating or removing the package leaves it in place.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION office)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the program links (Qt 6 widgets and print support, SQLite, libsodium, the C++
# runtime) come from dpkg-shlibdeps with their versions; what it cannot see is named here: the
# libraries loaded when first used (the PostgreSQL client, the spreadsheet writer and the zip
# reader), Qt's X11 and Wayland plugins, the Chinese face and the Latin face of the printed page,
# Qt's Chinese button texts and the icon theme of the main window's pictures.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libpq5, libxlsxwriter4, libminizip1, qt6-qpa-plugins (>= 6.4), fonts-noto-cjk, fonts-dejavu-core, qt6-translations-l10n, adwaita-icon-theme")
include(CPack)
