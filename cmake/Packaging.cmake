# The Debian package, built with CPack from a build folder configured for the
# prefix /usr:
#
#   cmake -S . -B build-deb -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr
#   cmake --build build-deb --target tessaline
#   cd build-deb && cpack -G DEB
#
# (scripts/package-test.sh does this with Debian's hardening flags.) The
# package holds what cmake/Install.cmake installs. Its dependencies come from
# dpkg-shlibdeps.
set(CPACK_PACKAGE_NAME tessaline)
set(CPACK_PACKAGE_VENDOR "The Tessaline developers")
set(CPACK_PACKAGE_CONTACT "The Tessaline developers <developers@tessaline.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "sort and compare routing-table logs of Cisco routers")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic, qt6-translations-l10n")
# No double quotes in the description: CPack would mangle them.
set(CPACK_PACKAGE_DESCRIPTION
  "Tessaline sorts every routing table of a show ip route log captured
from a terminal (the global table and one per VRF) by destination, next
hop, mask length or protocol, and can strip interface, time, cost or
protocol information from the route lines.

It compares a log taken before a change with one taken after it, table by
table, and reports every table and route that disappeared or appeared and
every route that changed, with a verdict. The window is in Japanese; a
batch mode sorts or compares from the command line and tells by its exit
status whether the logs differ.")

# The About box of the program names the documentation folder of the prefix
# the build was configured for; a package under /usr needs a build for /usr.
set(CPACK_TESSALINE_CONFIGURED_PREFIX "${CMAKE_INSTALL_PREFIX}")
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/PackagingCheck.cmake)

include(CPack)
