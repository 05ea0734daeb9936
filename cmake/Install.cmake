# cmake --install: the programs in bin/, their shipped files in share/vorlin/ (where the
# program looks when they are not beside it), and what a desktop expects: a launcher, an
# icon in the hicolor theme, AppStream metainfo and man pages.
include(GNUInstallDirs)
set(VORLIN_APP_ID org.vorlin.Vorlin)
set(VORLIN_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
# First: the package's variables (the maintainer) are written into the changelog below.
include(${CMAKE_CURRENT_LIST_DIR}/Package.cmake)

if(TARGET vorlin-cli)
  install(TARGETS vorlin-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
if(TARGET vorlin)
  install(TARGETS vorlin RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(FILES ${CMAKE_SOURCE_DIR}/data/vorlin.pal ${CMAKE_SOURCE_DIR}/data/manual.md
              ${CMAKE_SOURCE_DIR}/data/console-check.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/vorlin)

install(FILES ${VORLIN_PACKAGING_DIR}/${VORLIN_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${VORLIN_PACKAGING_DIR}/${VORLIN_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 32 48 64 128 256)
  install(FILES ${VORLIN_PACKAGING_DIR}/icons/vorlin-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${VORLIN_APP_ID}.png)
endforeach()
install(FILES ${VORLIN_PACKAGING_DIR}/icons/vorlin.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${VORLIN_APP_ID}.svg)

# Debian's rules: man pages and the changelog compressed (gzip -n, so the bytes do not depend
# on the build time), a machine-readable copyright file beside the changelog.
set(VORLIN_GENERATED_DOCS ${CMAKE_BINARY_DIR}/packaging)
configure_file(${VORLIN_PACKAGING_DIR}/debian/changelog.in ${VORLIN_GENERATED_DOCS}/changelog @ONLY)
configure_file(${VORLIN_PACKAGING_DIR}/debian/copyright.in ${VORLIN_GENERATED_DOCS}/copyright @ONLY)
set(vorlin_compressed)
foreach(source ${VORLIN_PACKAGING_DIR}/man/vorlin.1 ${VORLIN_PACKAGING_DIR}/man/vorlin-cli.1
        ${VORLIN_GENERATED_DOCS}/changelog)
  get_filename_component(name ${source} NAME)
  set(target ${VORLIN_GENERATED_DOCS}/${name}.gz)
  add_custom_command(OUTPUT ${target}
                     COMMAND sh -c "gzip -9nc \"$1\" > \"$2\"" sh ${source} ${target}
                     DEPENDS ${source} VERBATIM)
  list(APPEND vorlin_compressed ${target})
endforeach()
add_custom_target(vorlin_packaging_docs ALL DEPENDS ${vorlin_compressed})
install(FILES ${VORLIN_GENERATED_DOCS}/vorlin.1.gz ${VORLIN_GENERATED_DOCS}/vorlin-cli.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${VORLIN_GENERATED_DOCS}/changelog.gz ${VORLIN_GENERATED_DOCS}/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vorlin)
# Shell completion, where bash-completion looks for it by the command's name.
install(FILES ${VORLIN_PACKAGING_DIR}/completions/vorlin-cli.bash
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME vorlin-cli)

# Installs into a scratch prefix and checks the layout and the desktop files.
add_test(NAME install_layout
         COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-install.sh ${CMAKE_BINARY_DIR} ${VORLIN_APP_ID})

