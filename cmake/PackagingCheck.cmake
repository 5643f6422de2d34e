# Read by cpack before it packs: refuse a package whose program would name
# another documentation folder than the one the package installs.
if(NOT CPACK_TESSALINE_CONFIGURED_PREFIX STREQUAL CPACK_PACKAGING_INSTALL_PREFIX)
  message(FATAL_ERROR
    "This build is configured for the prefix ${CPACK_TESSALINE_CONFIGURED_PREFIX}, the "
    "package installs under ${CPACK_PACKAGING_INSTALL_PREFIX}: configure a build folder with "
    "-DCMAKE_INSTALL_PREFIX=${CPACK_PACKAGING_INSTALL_PREFIX} and run cpack there.")
endif()
