# SPDX-FileCopyrightText: 2026 The Corvanite developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Where the install scripts put files they fill in with the prefix before installing them. One
# folder per destination, so installs to different places at the same time (a package build
# beside a test install) never pick up each other's files.
string(MD5 corvanite_staging_key "$ENV{DESTDIR}|${CMAKE_INSTALL_PREFIX}")
set(CORVANITE_STAGING "${CORVANITE_STAGING_ROOT}/${corvanite_staging_key}")
file(MAKE_DIRECTORY "${CORVANITE_STAGING}")
