// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "helper/FanHelperService.h"

#include "helper/FanHelper.h"
#include "helper/PolkitAuthority.h"
#include "helper/SystemLog.h"
#include "shared/FanHelperProtocol.h"

#include <QDBusConnectionInterface>
#include <QDBusServiceWatcher>

#include <string_view>

namespace corvanite {

static_assert(std::string_view("com.corvanite.helper.FanHelper") ==
                  std::string_view(FanHelperProtocol::interfaceName),
              "the exported interface is the protocol's");

FanHelperService::FanHelperService(FanHelper& helper, CallerCheck check, bool askPolkit,
                                   QObject* parent)
    : QObject(parent)
    , m_helper(helper)
    , m_check(std::move(check))
    , m_askPolkit(askPolkit)
{
}

QString FanHelperService::GetVersion()
{
    if (!admitCaller())
        return {};
    return m_helper.getVersion();
}

QByteArray FanHelperService::ReadFans()
{
    if (!admitCaller())
        return {};
    return m_helper.readFans();
}

bool FanHelperService::SetFanFloor(qlonglong rpm)
{
    if (!admitCaller())
        return false;
    return m_helper.setFanFloor(rpm);
}

bool FanHelperService::ReleaseControl()
{
    if (!admitCaller())
        return false;
    return m_helper.releaseControl();
}

void FanHelperService::Heartbeat()
{
    const bool admitted = admitCaller();
    // One-way: whatever the caller asked for, an admitted heartbeat is never answered.
    if (calledFromDBus() && admitted)
        setDelayedReply(true);
    if (admitted)
        m_helper.heartbeat();
}

bool FanHelperService::admitCaller()
{
    if (!calledFromDBus())
        return false;
    const QString caller = message().service();
    bool admitted = !caller.isEmpty();
    if (admitted && m_check.hasPublisher()) {
        const auto pid = connection().interface()->servicePid(caller);
        admitted = pid.isValid() && m_check.admitsProcess(static_cast<pid_t>(pid.value()));
    }
    if (admitted && m_askPolkit)
        admitted = PolkitAuthority(connection())
                       .isAuthorized(caller, QString::fromLatin1(FanHelperProtocol::controlAction));
    if (!admitted) {
        if (message().isReplyRequired())
            sendErrorReply(QDBusError::AccessDenied,
                           QStringLiteral("This caller may not control the fans."));
        else
            setDelayedReply(true);
        return false;
    }
    if (!m_check.hasPublisher())
        noteNewCaller(caller);
    return true;
}

void FanHelperService::noteNewCaller(const QString& busName)
{
    if (m_knownCallers.contains(busName))
        return;
    if (!m_departures) {
        m_departures = new QDBusServiceWatcher(this);
        m_departures->setConnection(connection());
        m_departures->setWatchMode(QDBusServiceWatcher::WatchForUnregistration);
        connect(m_departures, &QDBusServiceWatcher::serviceUnregistered, this,
                [this](const QString& name) {
                    m_knownCallers.remove(name);
                    m_departures->removeWatchedService(name);
                });
    }
    m_departures->addWatchedService(busName);
    // A caller gone before the watch was set would otherwise stay in the set for good.
    if (connection().interface()->isServiceRegistered(busName))
        m_knownCallers.insert(busName);
    else
        m_departures->removeWatchedService(busName);
    SystemLog::write(QStringLiteral(
        "helper: no Team ID for ad-hoc build; skipping caller-signature validation"));
}

} // namespace corvanite
