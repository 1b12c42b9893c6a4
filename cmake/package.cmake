# The Debian package: cpack -G DEB in the build folder (or scripts/package.sh) builds
# pathwick_<version>_<arch>.deb from the install rules (cmake/install.cmake), installed below
# /usr, with its dependencies computed from the binaries by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pathwick)
set(CPACK_PACKAGE_VENDOR "Halvorn-Ek Software")
set(CPACK_PACKAGE_CONTACT "Halvorn-Ek Software <support@halvorn-ek.example>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.halvorn-ek.example/products/pathwick/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "shortcut menu in the notification area")
set(CPACK_PACKAGE_DESCRIPTION
"Pathwick keeps the programs, documents, folders and web addresses you use
most in one menu that opens from its icon in the notification area or from
a global hot key, right where the mouse is. A manager window edits the menu
as a tree: attach items or drop files, arrange them by drag and drop, and
sweep away links whose targets no longer exist.

Pathwick works with XEmbed and status notifier trays; pathwick-ctl lists and
checks the menu from the command line and opens it on desktops without
global key grabs.")
set(CPACK_STRIP_FILES TRUE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Documents and web addresses open through xdg-open; file type icons come from an icon theme.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, libqt6svg6, breeze-icon-theme")
include(CPack)
