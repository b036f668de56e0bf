# SPDX-FileCopyrightText: 2026 The Corvanite developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs at install time: the desktop entry, the AppStream metainfo, the icons, the session bus
# activation file and the man pages, the last two naming the prefix actually installed to.
# Expects CORVANITE_PACKAGING, CORVANITE_STAGING, CORVANITE_VERSION and CORVANITE_RELEASE_DATE.
set(APP_PATH "${CMAKE_INSTALL_PREFIX}/bin/corvanite")
set(PREFIX "${CMAKE_INSTALL_PREFIX}")
set(PROJECT_VERSION "${CORVANITE_VERSION}")
set(RELEASE_DATE "${CORVANITE_RELEASE_DATE}")
set(share "${CMAKE_INSTALL_PREFIX}/share")

file(INSTALL "${CORVANITE_PACKAGING}/com.corvanite.app.desktop"
  DESTINATION "${share}/applications")

configure_file("${CORVANITE_PACKAGING}/com.corvanite.app.metainfo.xml.in"
  "${CORVANITE_STAGING}/com.corvanite.app.metainfo.xml" @ONLY)
file(INSTALL "${CORVANITE_STAGING}/com.corvanite.app.metainfo.xml"
  DESTINATION "${share}/metainfo")

file(INSTALL "${CORVANITE_PACKAGING}/icons/com.corvanite.app.svg"
  DESTINATION "${share}/icons/hicolor/scalable/apps")
file(INSTALL "${CORVANITE_PACKAGING}/icons/com.corvanite.app-symbolic.svg"
  DESTINATION "${share}/icons/hicolor/symbolic/apps")

# A second start, or any bus client, reaches the application through this name.
configure_file("${CORVANITE_PACKAGING}/com.corvanite.app.service.in"
  "${CORVANITE_STAGING}/com.corvanite.app.service" @ONLY)
file(INSTALL "${CORVANITE_STAGING}/com.corvanite.app.service"
  DESTINATION "${share}/dbus-1/services")

# Man pages are kept compressed, as man expects on Debian; -n leaves the time out so two builds
# of one version give the same bytes.
find_program(CORVANITE_GZIP gzip)
foreach(page corvanite.1 corvanite-helper.8)
  string(REGEX REPLACE ".*\\.([0-9])$" "\\1" section "${page}")
  configure_file("${CORVANITE_PACKAGING}/man/${page}.in" "${CORVANITE_STAGING}/${page}" @ONLY)
  set(installed "${CORVANITE_STAGING}/${page}")
  if(CORVANITE_GZIP)
    execute_process(COMMAND "${CORVANITE_GZIP}" -9nf "${installed}" RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR "gzip ${installed} failed")
    endif()
    set(installed "${installed}.gz")
  endif()
  file(INSTALL "${installed}" DESTINATION "${share}/man/man${section}")
endforeach()
