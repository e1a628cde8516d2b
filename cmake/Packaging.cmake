# The Debian package (scripts/package): everything cmake --install puts
# under /usr, with the dependencies dpkg-shlibdeps finds in the binaries
# and what Qt needs at run time beyond its libraries.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vemolibrary)
set(CPACK_PACKAGE_VENDOR "The VemoLibrary developers")
set(CPACK_PACKAGE_CONTACT "${VEMO_SUPPORT_EMAIL}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Catalogue of a collection of books, music, films, software and games")
set(CPACK_PACKAGE_DESCRIPTION
  "VemoLibrary keeps a catalogue of a private collection of physical media of 24 kinds, with\n"
  "categories, custom fields, lending, search, import from delimited text, printed reports\n"
  "and web reports, and a command-line tool.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${VEMO_WEB_SITE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The program's own libraries are found beside it, not in the system.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_LIBRARY_OUTPUT_DIRECTORY})
# The platform plugins (X11, Wayland) are loaded at run time; xdg-utils
# opens web pages, mail and the user's programs.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, qt6-wayland, shared-mime-info, desktop-file-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "bash-completion")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
