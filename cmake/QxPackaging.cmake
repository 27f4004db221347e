# The Debian package: `cpack -G DEB` in a build folder makes qx-editor_<version>_<arch>.deb with
# everything `cmake --install` puts in place. The runtime libraries are found by dpkg-shlibdeps;
# what the editor needs beyond its libraries is named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qx-editor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "KAV")
set(CPACK_PACKAGE_CONTACT "QX editor maintainers <qx-editor@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Document editor for QX-series tube, tape and label marking printers")
set(CPACK_PACKAGE_DESCRIPTION "Composes marking documents of up to 999 blocks, checks them against the chosen printer model, previews them and delivers them as spooler jobs, .QXF files on USB memory or CSV. Includes qxtool, the command-line tool for plant systems.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The X11 platform plugin, the print font and Qt's own Japanese texts are not shared libraries of
# the program, so dpkg-shlibdeps cannot find them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-ipafont-gothic, qt6-translations-l10n, libcups2, shared-mime-info, desktop-file-utils")
# The printer drivers in /usr/share/ppd/kav are for CUPS; the editor still saves to USB memory
# without it.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "cups")
# The programs ship stripped; their debug information goes into a separate -dbgsym package, as
# Debian's own packages keep it. CPack splits it off itself (CPACK_STRIP_FILES would throw it away
# before it could).
set(CPACK_DEBIAN_DEBUGINFO_PACKAGE ON)
include(CPack)
