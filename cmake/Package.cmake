# cpack -G DEB (run in the build folder) makes a Debian package of what cmake --install lays out.
set(VORLIN_PACKAGE_MAINTAINER "Vorlin maintainers <maintainers@vorlin.invalid>"
    CACHE STRING "Maintainer named in the .deb; a distributor puts their own here")

set(CPACK_PACKAGE_NAME vorlin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Editor for 256-colour bitmaps and Game Boy Advance graphics")
# Lines of at most 80 characters, as Debian's tools expect.
set(CPACK_PACKAGE_DESCRIPTION
    "Vorlin edits small paletted pictures and exports them as Game Boy Advance data:
tiles or bitmaps, tile maps and 15-bit palettes, optionally compressed in the
BIOS formats, as C, assembler, raw binary or GBFS. vorlin-cli does the same in
a game's build.")
set(CPACK_PACKAGE_CONTACT ${VORLIN_PACKAGE_MAINTAINER})
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
# Library dependencies come from the built programs themselves.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
