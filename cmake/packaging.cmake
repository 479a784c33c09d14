# cpack -G DEB in a Release build (scripts/build-deb.sh): a package of what cmake --install
# puts under /usr, binaries stripped, dependencies found by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME brelvik)
set(CPACK_PACKAGE_VENDOR "The Brelvik developers")
set(CPACK_PACKAGE_CONTACT "The Brelvik developers <developers@brelvik.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "describe, list and pack add-ons for Veldrun")
# The summary comes first by itself; each line of the long description within 80 columns, as
# the package tools show it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Brelvik edits the info files of Veldrun add-ons in one window, gathers
add-ons and other files into Addonlists saved as .txta list files, and packs
them into zip archives with its own stand-in archiver.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window needs a Qt platform plugin, which no library names; the translations are welcome.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)
