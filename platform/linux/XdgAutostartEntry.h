// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/AutostartEntry.h"

#include <QStringList>

#include <memory>

namespace corvanite {

// Login item as an XDG autostart entry, "com.corvanite.app.desktop" in the user's autostart
// folder ($XDG_CONFIG_HOME/autostart). The entry that counts is the one in the most important
// autostart folder (the user's first, then $XDG_CONFIG_DIRS in order); it starts the program
// unless it is Hidden, switched off for GNOME, or its TryExec / Exec program is missing.
//
// Status: enabled when such an active entry exists; otherwise notFound when the running
// program's own path cannot be determined (there is nothing an entry could start), else
// notRegistered. This mechanism never asks for approval.
class XdgAutostartEntry : public AutostartEntry {
public:
    static constexpr const char* kFileName = "com.corvanite.app.desktop";

    // configHome: the user's configuration folder; systemConfigDirs: the system-wide ones, most
    // important first; program: absolute path of the executable to start, empty when unknown.
    XdgAutostartEntry(QString configHome, QStringList systemConfigDirs, QString program);

    // The current user's folders from the environment and the running executable.
    static std::unique_ptr<XdgAutostartEntry> forCurrentUser();
    // The running executable's absolute path, or empty when it cannot be determined.
    static QString runningProgram();

    QString userEntryPath() const;
    QString program() const { return m_program; }

    AutostartStatus status() const override;
    bool enable(QString& reason) override;
    bool disable(QString& reason) override;
    // Opens the user's autostart folder in the file manager (created first when missing).
    bool openSystemSettings() override;

private:
    QString userAutostartDir() const;
    bool isActive(const QString& entryPath) const;
    bool systemEntryActive() const;
    bool writeEntry(const QByteArray& contents, QString& reason) const;

    QString m_configHome;
    QStringList m_systemConfigDirs;
    QString m_program;
};

} // namespace corvanite
