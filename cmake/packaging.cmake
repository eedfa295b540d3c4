# The release: both programs with the README and the license, as an NSIS installer
# (Scourix-<version>-setup.exe) and a zip (Scourix-<version>.zip), made by CPack.
# tools/package runs it on the win32 build, which is the release.
install(TARGETS gatefire scourix RUNTIME DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION .)

set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGE_NAME Scourix)
set(CPACK_PACKAGE_VENDOR "${PROGRAM_PUBLISHER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Scourix and Gatefire: configuration and launcher for Descent 3")
set(CPACK_PACKAGE_FILE_NAME "Scourix-${PROJECT_VERSION}")
set(CPACK_PACKAGE_INSTALL_DIRECTORY Scourix)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Scourix)
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
# The installer's name stands in the text of every language's pages ("Installation de ..."): an
# "&" reads in all of them where an "and" would not. Nothing stored bears it: the uninstall entry's
# key, the program folder and the Start-menu folder are named Scourix. The installer's captions
# take it with the "&" doubled.
set(CPACK_NSIS_PACKAGE_NAME "Scourix & Gatefire ${PROJECT_VERSION}")
set(CPACK_SCOURIX_NSIS_NAME_DA "Scourix && Gatefire ${PROJECT_VERSION}")
set(CPACK_NSIS_DISPLAY_NAME "Scourix & Gatefire")
set(CPACK_NSIS_INSTALL_ROOT "$LOCALAPPDATA\\\\Programs")
set(CPACK_NSIS_MUI_ICON ${CMAKE_SOURCE_DIR}/resources/scourix.ico)
set(CPACK_NSIS_MUI_UNIICON ${CMAKE_SOURCE_DIR}/resources/scourix.ico)
set(CPACK_SCOURIX_COPYRIGHT "${PROGRAM_COPYRIGHT}")
# The installer's own processor: a 32-bit installer for the release; the 64-bit test build gets
# a 64-bit one, so that it installs where no 32-bit code runs.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(CPACK_SCOURIX_NSIS_TARGET amd64-unicode)
else()
  set(CPACK_SCOURIX_NSIS_TARGET x86-unicode)
endif()
# The files the installer writes, each recorded in the folder's install log as it is written; the
# installer checks the folder for a file of the player's under one of these names first, and the
# uninstaller removes them only when the log lists them.
set(CPACK_SCOURIX_NSIS_CHECK_FILES "")
set(CPACK_SCOURIX_NSIS_INSTALL_FILES "")
set(CPACK_SCOURIX_NSIS_REMOVE_FILES "")
foreach(f gatefire.exe scourix.exe README.md LICENSE)
  string(APPEND CPACK_SCOURIX_NSIS_CHECK_FILES "  !insertmacro CheckFile ${f}\n")
  string(APPEND CPACK_SCOURIX_NSIS_INSTALL_FILES "  !insertmacro InstallFile ${f}\n")
  string(APPEND CPACK_SCOURIX_NSIS_REMOVE_FILES "  !insertmacro RemoveListedFile ${f}\n")
endforeach()
# The settings files the uninstaller removes when the player asks for it, with their ".bak" copies.
set(CPACK_SCOURIX_NSIS_SETTINGS_FILES "")
foreach(f scourix.ini logos.ini taunts.ini keys.ini network.ini direckt.ini shelllist.txt)
  string(APPEND CPACK_SCOURIX_NSIS_SETTINGS_FILES "    !insertmacro RemoveSettingsFile ${f}\n")
endforeach()
# The installer's languages and our texts in each, made from the catalogues when CPack runs
# (cmake/packaging/project_config.cmake): the template for English, and each language's catalogue
# as the build joined it.
set(CPACK_SCOURIX_NSIS_TEXTS_SCRIPT ${CMAKE_SOURCE_DIR}/cmake/packaging/nsis-texts)
set(CPACK_SCOURIX_TEMPLATE ${CMAKE_SOURCE_DIR}/po/scourix.pot)
set(CPACK_SCOURIX_CATALOGUES ${CMAKE_BINARY_DIR}/po)
# Our installer script replaces CPack's stock one; the installer gets its own file name.
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_SOURCE_DIR}/cmake/packaging)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_SOURCE_DIR}/cmake/packaging/project_config.cmake)
include(CPack)
