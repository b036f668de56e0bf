// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace corvanite::ProtectedProcesses {

// The processes of a Linux desktop whose pause or end breaks the session: with one of them
// stopped the screen, input, sound, the buses or this application's own panel freeze; ended,
// the user is logged out or left without a desktop. Both the pause rule and the terminate rule
// refuse them.
const QStringList& sessionNames();

// Whether a process name (one word of it) is one of `names`. A name of exactly 15 bytes may
// be the kernel's cut of a longer one (when argv[0] could not be read), so it also matches
// every longer name it begins.
bool contains(const QStringList& names, const QString& word);

} // namespace corvanite::ProtectedProcesses
