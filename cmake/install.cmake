# Installing Orvane (cmake --install build --prefix P) and its Debian package
# (cpack -G DEB in the build folder):
#   P/bin/orvane, P/bin/orvane-eval, P/bin/orvane-tool   the programs
#   P/lib/orvane/orvane-tool-qt          the commands of orvane-tool that need Qt
#                                        (orvane-tool finds it there)
#   P/share/orvane/help/                 the help pages (the window finds them there)
#   P/share/applications/orvane.desktop  the desktop entry
#   P/share/icons/hicolor/scalable/apps/orvane.svg   the icon
# The programs look for each other and for the help pages by these places
# relative to their own, so the layout is fixed here (no GNUInstallDirs).
set(ORVANE_INSTALL_BIN bin)
set(ORVANE_INSTALL_QT_TOOL lib/orvane)
set(ORVANE_INSTALL_DATA share/orvane)

install(TARGETS orvane-eval orvane-tool RUNTIME DESTINATION ${ORVANE_INSTALL_BIN})
if(TARGET orvane-tool-qt)
  install(TARGETS orvane-tool-qt RUNTIME DESTINATION ${ORVANE_INSTALL_QT_TOOL})
endif()
if(TARGET orvane)
  install(TARGETS orvane RUNTIME DESTINATION ${ORVANE_INSTALL_BIN})
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/ui/help/ DESTINATION ${ORVANE_INSTALL_DATA}/help)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/orvane.desktop DESTINATION share/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/ui/icons/orvane.svg DESTINATION share/icons/hicolor/scalable/apps)
endif()

# The Debian package: the libraries the programs link come from
# dpkg-shlibdeps; what they load at run time without linking it is named
# here: the web engine's renderer process, the Flite voices, the font of the
# built-in web-data pages.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Orvane Software")
set(CPACK_PACKAGE_CONTACT "Orvane Software <packages@orvane.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Calculator and data-decoding workbench")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Orvane evaluates expressions in decimal, hexadecimal and binary, decodes\n"
    "data with templates, computes CRCs, MD5 digests and AES-128 ciphers, reads\n"
    "values from web pages and speaks its answers. It comes with orvane-eval and\n"
    "orvane-tool for the terminal.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6webenginecore6-bin, qt6-speech-flite-plugin, fonts-wqy-microhei")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "qt6-speech-speechd-plugin")
set(CPACK_STRIP_FILES ON)
include(CPack)
