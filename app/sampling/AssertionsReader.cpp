// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sampling/AssertionsReader.h"

#include "app/sampling/RegistryValue.h"

#include <QVariantMap>

namespace corvanite {

AssertionsReader::AssertionsReader(std::unique_ptr<PowerAssertions> platform)
    : m_platform(std::move(platform))
{
}

const QSet<QString>& AssertionsReader::blockingTypes()
{
    static const QSet<QString> types = {
        QStringLiteral("NoIdleSleepAssertion"), QStringLiteral("PreventUserIdleSystemSleep"),
        QStringLiteral("PreventUserIdleDisplaySleep"), QStringLiteral("PreventSystemSleep"),
        QStringLiteral("NoDisplaySleepAssertion")};
    return types;
}

const QSet<QString>& AssertionsReader::systemNoise()
{
    static const QSet<QString> names = {
        QStringLiteral("powerd"),      QStringLiteral("hidd"),
        QStringLiteral("coreaudiod"),  QStringLiteral("WindowServer"),
        QStringLiteral("loginwindow"), QStringLiteral("bluetoothd"),
        QStringLiteral("backboardd"),  QStringLiteral("runningboardd")};
    return names;
}

AssertionMap AssertionsReader::readSleepBlockers()
{
    if (!m_platform)
        return {};
    const auto table = m_platform->assertionsByProcess();
    return table ? blockersFrom(*table) : AssertionMap{};
}

AssertionMap AssertionsReader::blockersFrom(const QList<ProcessAssertionEntry>& table)
{
    // A malformed table is no table: checked whole before anything is taken from it.
    for (const ProcessAssertionEntry& entry : table) {
        if (!integerValue(entry.pid) || entry.assertions.typeId() != QMetaType::QVariantList)
            return {};
        for (const QVariant& assertion : entry.assertions.toList())
            if (assertion.typeId() != QMetaType::QVariantMap)
                return {};
    }

    AssertionMap blockers;
    for (const ProcessAssertionEntry& entry : table) {
        const qint64 pid = *integerValue(entry.pid);
        if (pid < 2 || pid > std::numeric_limits<qint32>::max())
            continue;
        QStringList types;
        for (const QVariant& item : entry.assertions.toList()) {
            const QVariantMap assertion = item.toMap();
            const QVariant type = assertion.value(QStringLiteral("AssertType"));
            if (type.typeId() != QMetaType::QString || !blockingTypes().contains(type.toString()))
                continue;
            const QVariant name = assertion.value(QStringLiteral("Process Name"));
            if (name.typeId() == QMetaType::QString && systemNoise().contains(name.toString()))
                continue;
            types.append(type.toString());
        }
        if (!types.isEmpty())
            blockers[qint32(pid)].append(types);
    }
    return blockers;
}

} // namespace corvanite
