# The Linux release: both programs in /usr/bin (where each finds the other), their desktop entries
# and icons, the README and the license, as scourix_<version>_<arch>.deb made by CPack's DEB
# generator. tools/package runs it on the linux build.
include(GNUInstallDirs)
install(TARGETS gatefire scourix RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
foreach(p gatefire scourix)
  install(FILES ${CMAKE_SOURCE_DIR}/resources/linux/${p}.desktop
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
  install(FILES ${CMAKE_SOURCE_DIR}/resources/linux/${p}.png
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/48x48/apps)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/scourix)
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/scourix
        RENAME copyright)

execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE DEB_ARCH
                OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
if(NOT DEB_ARCH)
  set(DEB_ARCH amd64)
endif()
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME scourix)
set(CPACK_PACKAGE_VENDOR "${PROGRAM_PUBLISHER}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Scourix and Gatefire: configuration and launcher for Descent 3")
set(CPACK_PACKAGE_DESCRIPTION "Gatefire keeps the open-source Descent 3's custom folders to the player's own taunts and ship logos and starts the game; Scourix sets it up.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${PROGRAM_PUBLISHER}")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${DEB_ARCH})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS xdg-utils)
set(CPACK_DEBIAN_FILE_NAME "scourix_${PROJECT_VERSION}_${DEB_ARCH}.deb")
include(CPack)
