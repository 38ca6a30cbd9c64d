# Who stands behind the program, for the packages of every platform: the
# Debian package's maintainer, home page and copyright, and what the Windows
# installer and version resource show of them. debian/ holds the package's
# description, which dpkg-buildpackage reads: its fields, changelog and
# copyright file; CPack and the Windows build take them from there too, so the
# ways of building give one account. Included by the top-level CMakeLists.txt.
#
# Sets debian_control, debian_changelog, debian_copyright (the files' text),
# debian_maintainer, maintainer, homepage, help_url, publisher (empty unless a
# maintainer is named) and legal_copyright (says so when no holder is named).

set(debian_dir "${CMAKE_SOURCE_DIR}/debian")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             "${debian_dir}/control" "${debian_dir}/changelog" "${debian_dir}/copyright")
file(READ "${debian_dir}/control" debian_control)
file(READ "${debian_dir}/changelog" debian_changelog)
file(READ "${debian_dir}/copyright" debian_copyright)

# The first FIELD of debian/control, its continuation lines included.
function(debian_control_field out field)
  if("\n${debian_control}" MATCHES "\n${field}:[ \t]*([^\n]*(\n[ \t][^\n]*)*)")
    set(${out} "${CMAKE_MATCH_1}" PARENT_SCOPE)
  else()
    set(${out} "" PARENT_SCOPE)
  endif()
endfunction()

# Who stands behind a package depends on who builds it, so nothing here names an
# address or a site unless debian/ or the builder gives one. Each of these, when
# set, stands in for what debian/ says, wherever the package says it.
set(MIRTEKA_MAINTAINER "" CACHE STRING
    "Debian package maintainer and changelog signer, as 'Name <address>' (empty: debian/control's Maintainer)")
set(MIRTEKA_UPSTREAM_CONTACT "" CACHE STRING
    "Upstream contact in the copyright file, as 'Name <address>' (empty: as debian/copyright has it)")
set(MIRTEKA_HOMEPAGE "" CACHE STRING
    "The project's home page, for the package, the software-centre entry and the copyright file (empty: debian/control's Homepage, if any)")

debian_control_field(debian_maintainer Maintainer)
debian_control_field(debian_homepage Homepage)
set(maintainer "${MIRTEKA_MAINTAINER}")
if(maintainer STREQUAL "")
  set(maintainer "${debian_maintainer}")
endif()
set(homepage "${MIRTEKA_HOMEPAGE}")
if(homepage STREQUAL "")
  set(homepage "${debian_homepage}")
endif()

set(contact_pattern "^[^<>@,]*[^<>@, ] <[^<>@ ]+@[^<>@ ]+>$")
foreach(var maintainer MIRTEKA_UPSTREAM_CONTACT)
  if(NOT ${var} STREQUAL "" AND NOT ${var} MATCHES "${contact_pattern}")
    message(FATAL_ERROR "The maintainer or upstream contact is '${${var}}', not 'Name <address>'")
  endif()
endforeach()
if(maintainer STREQUAL "")
  message(FATAL_ERROR "debian/control names no Maintainer")
endif()

set(MIRTEKA_COPYRIGHT "" CACHE STRING
    "Copyright holder and years of the program, as '2026 Name' (empty: debian/copyright's for Files: *)")
set(MIRTEKA_HELP_URL "" CACHE STRING
    "Where users get help, for the Windows uninstall entry (empty: none shown)")

# The maintainer stands in as the Windows publisher once one is named: the
# address of debian/control's placeholder is under .invalid.
set(publisher "")
if(NOT maintainer MATCHES "@[^>]*\\.invalid>$" AND maintainer MATCHES "^([^<]*[^< ]) <")
  set(publisher "${CMAKE_MATCH_1}")
endif()

set(copyright "${MIRTEKA_COPYRIGHT}")
if(copyright STREQUAL "" AND "\n${debian_copyright}" MATCHES "\nFiles: \\*\nCopyright:[ \t]*([^\n]*)")
  set(copyright "${CMAKE_MATCH_1}")
endif()
if(copyright STREQUAL "")
  set(legal_copyright "Copyright holder not set (local build)")
else()
  set(legal_copyright "Copyright © ${copyright}")
endif()

set(help_url "${MIRTEKA_HELP_URL}")
foreach(url homepage help_url)
  if(NOT ${url} STREQUAL "" AND NOT ${url} MATCHES "^https?://[^ <>\"&]+$")
    message(FATAL_ERROR "The ${url} is '${${url}}', not an http(s) address")
  endif()
endforeach()
