# Read by CPack for each generator: the installer is Scourix-<version>-setup.exe.
# Its languages and our texts come from the catalogues (cmake/packaging/nsis-texts).
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_FILE_NAME}-setup")
  execute_process(
    COMMAND ${CPACK_SCOURIX_NSIS_TEXTS_SCRIPT} ${CPACK_SCOURIX_TEMPLATE} ${CPACK_SCOURIX_CATALOGUES}
    OUTPUT_VARIABLE CPACK_SCOURIX_NSIS_TEXTS OUTPUT_STRIP_TRAILING_WHITESPACE
    COMMAND_ERROR_IS_FATAL ANY)
endif()
# The zip holds the programs, the README and the license at its top: unpacked into a folder,
# they stand in that folder.
if(CPACK_GENERATOR STREQUAL "ZIP")
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
endif()
