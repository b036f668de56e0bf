// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/RunningApplications.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QFileSystemWatcher;

namespace corvanite {

// Finds the .desktop entry of a process's own program: an entry names a process only when the
// process's executable is the entry's Exec program, or is named as its StartupWMClass. Every
// other process of an application's systemd scope (a shell in a terminal's scope, a helper it
// started) keeps its own name. The scope the desktop put the process in
// ("app-<launcher>-<id>-<n>.scope", "app-<id>@<n>.service") is asked first, so of two entries
// for one program the one that launched it wins. Entries hidden from menus (NoDisplay) or
// deleted (Hidden) name nothing. The entries are read on first use and again after the
// application folders changed (they are watched while the event loop runs).
class DesktopApplications final : public RunningApplications {
public:
    // `dataDirs` are searched in order for applications/ folders; `root` holds procfs.
    DesktopApplications(QStringList dataDirs, QString root = QStringLiteral("/"),
                        QString localeName = QString());
    ~DesktopApplications() override;

    // $XDG_DATA_HOME and $XDG_DATA_DIRS with their defaults.
    static QStringList standardDataDirs();

    std::optional<RunningApplication> application(qint32 pid) override;
    quint64 generation() const override { return m_generation; }

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
    void watchFolders();
    void foldersChanged();
    QString unitOf(qint32 pid) const;
    QString executableOf(qint32 pid) const;
    static bool isEntryOf(const Entry& entry, const QString& program);

    QStringList m_dataDirs;
    QString m_root;
    QString m_locale;
    bool m_loaded = false;
    QHash<QString, Entry> m_byId; // desktop-file id without ".desktop"
    QList<QString> m_order;       // ids in search order, for the executable match
    std::unique_ptr<QFileSystemWatcher> m_watcher;
    quint64 m_generation = 0;
};

} // namespace corvanite
