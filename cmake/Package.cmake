# cpack -G DEB in the build folder: a Debian package of the three programs with
# what cmake --install puts in place (desktop entries, icons, the web view's
# module), under /usr. The libraries the programs link are found by
# dpkg-shlibdeps; what they only load or show at run time is named here. The
# package starts nothing with the session: the dock's first-run prompt offers
# that to each user.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zorvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Zorvane)
set(CPACK_PACKAGE_CONTACT "Zorvane <zorvane@zorvane.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Desktop dock, sticky notes and a screen colour picker")
set(CPACK_PACKAGE_DESCRIPTION
    "A bar of icons on a screen edge for starting programs, folders and web sites, with a launch pad, a desktop clock, the weather and small tools; the sticky-notes program Mirelka and the colour picker Tandrel. For X11; the interface is Chinese.")
# The desktop entries are written at install time, so they name the
# programs under this prefix.
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Chinese and emoji faces for the texts, Qt's own translations for the
# English setting and the standard dialogs, and the theme that icons fall
# back to.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk, fonts-noto-color-emoji, qttranslations5-l10n, hicolor-icon-theme")
# Opening addresses and files in the user's programs, pictures of more kinds,
# and a full icon theme where the desktop brings none.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, qt5-image-formats-plugins, adwaita-icon-theme")
include(CPack)
