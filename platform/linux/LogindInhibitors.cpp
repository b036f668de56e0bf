// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/LogindInhibitors.h"

#include "platform/linux/ProcFile.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QFile>
#include <QVariantMap>

namespace corvanite {

namespace {

struct Inhibitor {
    QString what;
    QString mode;
    quint32 pid = 0;
};

QString assertionType(const QString& what)
{
    if (what == QLatin1String("sleep"))
        return QStringLiteral("PreventSystemSleep");
    if (what == QLatin1String("idle"))
        return QStringLiteral("PreventUserIdleSystemSleep");
    return what;
}

// ListInhibitors answers a(ssssuu): what, who, why, mode, uid, pid.
std::optional<QList<Inhibitor>> inhibitorsFrom(const QVariant& value)
{
    if (!value.canConvert<QDBusArgument>())
        return std::nullopt;
    const QDBusArgument argument = value.value<QDBusArgument>();
    if (argument.currentSignature() != QLatin1String("a(ssssuu)"))
        return std::nullopt;
    QList<Inhibitor> out;
    argument.beginArray();
    while (!argument.atEnd()) {
        Inhibitor inhibitor;
        QString who;
        QString why;
        quint32 uid = 0;
        argument.beginStructure();
        argument >> inhibitor.what >> who >> why >> inhibitor.mode >> uid >> inhibitor.pid;
        argument.endStructure();
        out.append(inhibitor);
    }
    argument.endArray();
    return out;
}

} // namespace

LogindInhibitors::LogindInhibitors(QString root, std::optional<QDBusConnection> bus, int timeoutMs)
    : m_bus(std::move(bus))
    , m_root(std::move(root))
    , m_timeoutMs(timeoutMs)
{
}

std::optional<QList<ProcessAssertionEntry>> LogindInhibitors::assertionsByProcess()
{
    if (!m_bus)
        m_bus = QDBusConnection::systemBus();
    if (!m_bus->isConnected())
        return std::nullopt;
    const QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("ListInhibitors"));
    const QDBusMessage reply = m_bus->call(call, QDBus::Block, m_timeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 1)
        return std::nullopt;
    const std::optional<QList<Inhibitor>> inhibitors =
        inhibitorsFrom(reply.arguments().constFirst());
    if (!inhibitors)
        return std::nullopt;

    QList<ProcessAssertionEntry> entries;
    QList<quint32> order;
    QHash<quint32, QVariantList> byPid;
    for (const Inhibitor& inhibitor : *inhibitors) {
        if (inhibitor.mode != QLatin1String("block"))
            continue;
        if (!byPid.contains(inhibitor.pid)) {
            order.append(inhibitor.pid);
            byPid.insert(inhibitor.pid, {});
        }
        const QByteArray comm = ProcFile::readOnce(pathUnderRoot(
            m_root, QByteArray("proc/" + QByteArray::number(inhibitor.pid) + "/comm").constData()));
        // One lock may cover several kinds ("sleep:idle"): one assertion each.
        for (const QString& what : inhibitor.what.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
            QVariantMap assertion;
            assertion.insert(QStringLiteral("AssertType"), assertionType(what));
            if (!comm.isEmpty())
                assertion.insert(QStringLiteral("Process Name"), QString::fromUtf8(comm.trimmed()));
            byPid[inhibitor.pid].append(assertion);
        }
    }
    for (const quint32 pid : order)
        entries.append(ProcessAssertionEntry{QVariant(qint64(pid)), byPid.value(pid)});
    return entries;
}

} // namespace corvanite
