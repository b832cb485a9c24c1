# cpack -G DEB in the build folder: a Debian package of the three programs with
# what cmake --install puts in place (desktop entries, icons, the web view's
# module), under /usr. The libraries the programs link are found by
# dpkg-shlibdeps; what they only load or show at run time is named here. The
# package starts nothing with the session: the dock's first-run prompt offers
# that to each user.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zorvane)
# The version is the changelog's: its first entry names the program's
# version and the package's revision.
file(STRINGS ${PROJECT_SOURCE_DIR}/resources/debian/changelog zv_changelog_top LIMIT_COUNT 1)
if(NOT zv_changelog_top MATCHES "^zorvane \\(([^)-]+)-([^)]+)\\) ")
    message(FATAL_ERROR "resources/debian/changelog must begin with \"zorvane (<version>-<revision>) ...\"")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "The changelog's first entry is for ${CMAKE_MATCH_1}, the project is ${PROJECT_VERSION}")
endif()
set(CPACK_DEBIAN_PACKAGE_RELEASE ${CMAKE_MATCH_2})
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/debian/changelog)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Zorvane)
set(CPACK_PACKAGE_CONTACT "Zorvane <zorvane@zorvane.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop dock, sticky notes and a screen colour picker")
# Lines as Debian shows them: under 80 columns, a lone "." between paragraphs.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "Zorvane is a bar of icons on a screen edge for starting programs and"
    "opening folders, documents and web sites. Its icons grow under the"
    "pointer, move by dragging and gather into icon menus; the bar can hide"
    "itself and slide back in at the edge of the screen."
    ""
    "The dock brings a full-screen launch pad with a search field, the"
    "weather, a desktop clock, a timed shutdown, an eye-protection tint and a"
    "web-search box. The package also holds the sticky-notes program Mirelka"
    "and the screen colour picker Tandrel, which the dock starts."
    ""
    "For X11 (under Wayland through XWayland); the interface is Chinese.")
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
