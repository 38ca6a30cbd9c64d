# Read by cpack before it makes the Debian package: the libraries the program
# needs, from dpkg-shlibdeps run in the source folder as dpkg-buildpackage runs
# it. There it reads debian/control, and a library whose development package
# Build-Depends names with a version (Qt 6.4) is needed at least at that
# version, as in the package dpkg-buildpackage makes. CPack's own run of
# dpkg-shlibdeps sees no debian/control.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
  return()
endif()
execute_process(
  COMMAND dpkg-shlibdeps -O "${MIRTEKA_DEB_PROGRAM}"
  WORKING_DIRECTORY "${MIRTEKA_SOURCE_DIR}"
  OUTPUT_VARIABLE shlibs
  ERROR_VARIABLE errors
  RESULT_VARIABLE status
  OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT status EQUAL 0 OR NOT shlibs MATCHES "^shlibs:Depends=([^\n]+)")
  message(FATAL_ERROR "dpkg-shlibdeps on ${MIRTEKA_DEB_PROGRAM} failed: ${errors}")
endif()
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS OFF)
if(CPACK_DEBIAN_PACKAGE_DEPENDS)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "${CPACK_DEBIAN_PACKAGE_DEPENDS}, ${CMAKE_MATCH_1}")
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "${CMAKE_MATCH_1}")
endif()
