# Read by CPack once per generator: the installer is named
# qxconfig-<version>-win64-setup.exe beside the zip.
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_FILE_NAME}-setup")
endif()
