# cmake --install: a Linux desktop program laid out as the FHS asks. The
# programs find the rest from their own folder (boundary/installlayout.h), so
# these folders are fixed, not taken from GNUInstallDirs.
set(TAVRIN_INSTALL_PRIVATE_DIR lib/tavrin)       # the parser library and tavrin-lzma: for our programs only
set(TAVRIN_INSTALL_DATA_DIR share/tavrin)

foreach(program Tavrin tavrin-cli)
    if(TARGET ${program})
        install(TARGETS ${program} RUNTIME DESTINATION bin)
    endif()
endforeach()
install(TARGETS ostrel LIBRARY DESTINATION ${TAVRIN_INSTALL_PRIVATE_DIR})
install(TARGETS tavrin-lzma RUNTIME DESTINATION ${TAVRIN_INSTALL_PRIVATE_DIR})
install(FILES conf/Tavrin.ini conf/tavrin_ostrel_config.xml DESTINATION ${TAVRIN_INSTALL_DATA_DIR}/conf)
install(DIRECTORY ${TAVRIN_BIN_DIR}/translations/ DESTINATION ${TAVRIN_INSTALL_DATA_DIR}/translations
        FILES_MATCHING PATTERN "*.qm")

install(FILES resources/tavrin.desktop DESTINATION share/applications)
install(FILES resources/tavrin-mime.xml DESTINATION share/mime/packages RENAME tavrin.xml)
install(FILES resources/tavrin48x48.png DESTINATION share/icons/hicolor/48x48/apps RENAME tavrin.png)
install(FILES resources/tavrin.svg DESTINATION share/icons/hicolor/scalable/apps)
