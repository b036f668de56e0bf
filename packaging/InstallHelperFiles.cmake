# SPDX-FileCopyrightText: 2026 The Corvanite developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs at install time, so the paths inside the files follow the prefix actually installed to
# (also `cmake --install --prefix ...`). Expects CORVANITE_PACKAGING and CORVANITE_STAGING (see
# InstallStaging.cmake).
set(HELPER_PATH "${CMAKE_INSTALL_PREFIX}/libexec/corvanite/corvanite-helper")
configure_file("${CORVANITE_PACKAGING}/com.corvanite.helper.service.in"
  "${CORVANITE_STAGING}/com.corvanite.helper.service" @ONLY)
configure_file("${CORVANITE_PACKAGING}/corvanite-helper.service.in"
  "${CORVANITE_STAGING}/corvanite-helper.service" @ONLY)

file(INSTALL "${CORVANITE_STAGING}/com.corvanite.helper.service"
  DESTINATION "${CMAKE_INSTALL_PREFIX}/share/dbus-1/system-services")
file(INSTALL "${CORVANITE_PACKAGING}/com.corvanite.helper.conf"
  DESTINATION "${CMAKE_INSTALL_PREFIX}/share/dbus-1/system.d")
file(INSTALL "${CORVANITE_PACKAGING}/com.corvanite.helper.policy"
  DESTINATION "${CMAKE_INSTALL_PREFIX}/share/polkit-1/actions")
file(INSTALL "${CORVANITE_STAGING}/corvanite-helper.service"
  DESTINATION "${CMAKE_INSTALL_PREFIX}/lib/systemd/system")
# Run through pkexec by the application when the system does not read the files above where
# this prefix put them (anything but /usr).
file(INSTALL "${CORVANITE_PACKAGING}/corvanite-register-helper"
  DESTINATION "${CMAKE_INSTALL_PREFIX}/libexec/corvanite"
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
  WORLD_EXECUTE)
