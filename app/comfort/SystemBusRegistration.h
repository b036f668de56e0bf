// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/comfort/HelperRegistration.h"

#include <QStringList>

#include <optional>
#include <sys/types.h>

namespace corvanite {

// The helper's registration with the system bus, read from the files themselves so the answer
// holds for every kind of install:
// - unavailable: this program is not an installed Corvanite (root-owned P/bin/corvanite with
//   the helper, its registration tool and its bus, polkit and systemd files under P); a build
//   folder is one, and the helper would refuse it anyway;
// - enabled: the bus service (starting this install's helper) and the bus policy are where the
//   system bus reads them, the polkit action where polkit does and, under systemd, the unit
//   where systemd does;
// - notRegistered: installed, but the system does not see it (a /usr/local or /opt install whose
//   policy and unit belong under /etc).
// Registering runs the install's own tool through pkexec, which copies the files there.
class SystemBusRegistration final : public HelperRegistration {
public:
    struct Layout {
        QString executable;                              // this program
        QString systemRoot = QStringLiteral("/");        // where /etc, /usr and /run are
        uid_t owner = 0;                                 // who must own an installed file
        QStringList runner = {QStringLiteral("pkexec")}; // runs the tool as root
        int runnerTimeoutMs = 120000;                    // the user may take a while to authorise
    };

    explicit SystemBusRegistration(Layout layout);
    // For this process, from /proc/self/exe.
    static Layout layoutForThisProcess();

    FanHelperState status() override;
    bool registerHelper(QString& error) override;
    void unregisterHelper() override;

    // P when this program is P/bin/corvanite and installed with its helper files, else none.
    std::optional<QString> installPrefix() const;

private:
    bool isOwnedFile(const QString& path, const QString& prefix) const;
    bool runTool(const QString& verb, QString& error) const;
    QString system(const QString& path) const;

    const Layout m_layout;
};

} // namespace corvanite
