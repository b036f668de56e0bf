// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sampling/AssertionsReader.h"

#include <QVariantMap>

#include <gtest/gtest.h>

using namespace corvanite;

namespace {

QVariant assertion(const QString& type, const QVariant& name = QVariant())
{
    QVariantMap m{{QStringLiteral("AssertType"), type}};
    if (name.isValid())
        m.insert(QStringLiteral("Process Name"), name);
    return m;
}

ProcessAssertionEntry entry(qint64 pid, QVariantList assertions)
{
    return {QVariant(pid), QVariant(assertions)};
}

} // namespace

TEST(AssertionsReader, keepsBlockingTypesInOrderAndDropsNoiseAndEarlyPids)
{
    const QString idle = QStringLiteral("PreventUserIdleSystemSleep");
    const QList<ProcessAssertionEntry> table = {
        entry(0, {assertion(idle)}),
        entry(1, {assertion(idle)}),
        entry(300,
              {assertion(idle, QStringLiteral("player")), assertion(idle, QStringLiteral("player")),
               assertion(QStringLiteral("NoDisplaySleepAssertion"), 7)}),
        entry(301, {assertion(idle, QStringLiteral("coreaudiod"))}),
        entry(302, {assertion(QStringLiteral("UserIsActive"), QStringLiteral("x")),
                    assertion(QStringLiteral("BackgroundTask"), QStringLiteral("x"))}),
        entry(303,
              {QVariantMap{{QStringLiteral("AssertType"), 5}},
               QVariantMap{{QStringLiteral("Process Name"), QStringLiteral("x")}},
               assertion(QStringLiteral("PreventSystemSleep"), QStringLiteral("coreaudiod2"))}),
    };
    const AssertionMap expected = {{300, {idle, idle, QStringLiteral("NoDisplaySleepAssertion")}},
                                   {303, {QStringLiteral("PreventSystemSleep")}}};
    EXPECT_EQ(AssertionsReader::blockersFrom(table), expected);
}

TEST(AssertionsReader, malformedTableIsEmpty)
{
    const QVariantList good = {assertion(QStringLiteral("PreventSystemSleep"))};
    EXPECT_TRUE(
        AssertionsReader::blockersFrom({{QVariant(QStringLiteral("300")), good}}).isEmpty());
    EXPECT_TRUE(AssertionsReader::blockersFrom({{QVariant(300), QVariant(5)}}).isEmpty());
    EXPECT_TRUE(AssertionsReader::blockersFrom({entry(300, good), {QVariant(301), QVariantList{5}}})
                    .isEmpty());
    EXPECT_TRUE(AssertionsReader(nullptr).readSleepBlockers().isEmpty());
}
