// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/RunningApplications.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

namespace corvanite {

// Finds the .desktop entry that launched a process: first by the systemd scope or service the
// desktop put it in ("app-<launcher>-<id>-<n>.scope", "app-<id>@<n>.service"), then by the
// executable's name against the entries' Exec program and StartupWMClass. The installed
// entries are read once, on first use.
class DesktopApplications final : public RunningApplications {
public:
    // `dataDirs` are searched in order for applications/ folders; `root` holds procfs.
    DesktopApplications(QStringList dataDirs, QString root = QStringLiteral("/"),
                        QString localeName = QString());

    // $XDG_DATA_HOME and $XDG_DATA_DIRS with their defaults.
    static QStringList standardDataDirs();

    std::optional<RunningApplication> application(qint32 pid) override;

    // The desktop-file ids a unit name can stand for, most specific first; empty when the unit
    // is not an application unit.
    static QStringList idsFromUnit(const QString& unit);

private:
    struct Entry {
        RunningApplication app;
        QString program; // base name of Exec's first argument
        QString wmClass; // StartupWMClass, lower case
    };

    void loadEntries();
    QString unitOf(qint32 pid) const;
    QString executableOf(qint32 pid) const;

    QStringList m_dataDirs;
    QString m_root;
    QString m_locale;
    bool m_loaded = false;
    QHash<QString, Entry> m_byId; // desktop-file id without ".desktop"
    QList<QString> m_order;       // ids in search order, for the executable match
};

} // namespace corvanite
