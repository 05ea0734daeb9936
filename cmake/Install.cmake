# cmake --install: the programs and the default palette they load from beside themselves.
include(GNUInstallDirs)
if(TARGET vorlin-cli)
  install(TARGETS vorlin-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
if(TARGET vorlin)
  install(TARGETS vorlin RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(FILES ${CMAKE_SOURCE_DIR}/data/vorlin.pal DESTINATION ${CMAKE_INSTALL_BINDIR})
