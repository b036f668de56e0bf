// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "helper/CallerCheck.h"

#include <QDBusContext>
#include <QObject>
#include <QSet>
#include <QString>

class QDBusServiceWatcher;

namespace corvanite {

class FanHelper;

// The helper's object on the bus: admits or refuses each caller, then hands the call to
// FanHelper. Lives on the control thread with FanHelper; QtDBus delivers the calls there.
//
// A caller is admitted when its executable passes the CallerCheck and, unless the daemon runs a
// test, polkit grants it the control action. Refused callers get AccessDenied, nothing changes
// and nothing is logged, so a hostile caller cannot fill the log either.
class FanHelperService : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.corvanite.helper.FanHelper")
public:
    FanHelperService(FanHelper& helper, CallerCheck check, bool askPolkit,
                     QObject* parent = nullptr);

public Q_SLOTS:
    QString GetVersion();
    QByteArray ReadFans();
    bool SetFanFloor(qlonglong rpm);
    bool ReleaseControl();
    Q_NOREPLY void Heartbeat();

private:
    bool admitCaller();
    void noteNewCaller(const QString& busName);

    FanHelper& m_helper;
    const CallerCheck m_check;
    const bool m_askPolkit;
    // Callers already greeted with the "no Team ID" line; dropped when they leave the bus.
    QSet<QString> m_knownCallers;
    QDBusServiceWatcher* m_departures = nullptr;
};

} // namespace corvanite
