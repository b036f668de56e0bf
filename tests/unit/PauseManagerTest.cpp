// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/process/PauseManager.h"
#include "platform/Clock.h"
#include "platform/Preferences.h"
#include "tests/support/FakeProcessPlatform.h"
#include "tests/support/LogWatch.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>

using namespace corvanite;
using namespace corvanite::test;

namespace {

struct Harness {
    QTemporaryDir dir;
    Preferences prefs{dir.filePath(QStringLiteral("prefs.json"))};
    FakeClock clock;
    FakeProcessInfo info;
    FakeProcessSignals signaller{info};
    FakeFrontmost frontmost;
    CapturedCalls later;

    Harness()
    {
        info.add(signaller.self, 4000, 1); // the application's own group is 4000
        info.add(500, 500, 1000);          // a group leader
        info.add(501, 500, 1001);          // its member
        info.names.insert(500, QStringLiteral("Editor"));
    }
    std::unique_ptr<PauseManager> make()
    {
        return std::make_unique<PauseManager>(PauseManager::Dependencies{
            &info, &signaller, &prefs, &clock, &frontmost, later.delayedCall()});
    }
};

} // namespace

TEST(PauseManager, blockedNamesAndGroupsAreNeverPaused)
{
    Harness h;
    h.info.add(600, 4000, 5); // in our own group
    h.info.add(700, 1, 5);    // in init's group
    auto m = h.make();
    struct Case {
        qint32 pid;
        const char* name;
        bool allowed;
    };
    const Case cases[] = {
        {501, "editor", true},       {501, "Dock", false},
        {501, "Dock helper", false}, // the first word is blocked
        {501, "  Finder  x", false}, // blanks before the first word are skipped
        {501, "My Dock", true},      // only the first word counts
        {501, "launchd", false},     {501, "", true},
        {1, "editor", false},        {0, "editor", false},
        {600, "editor", false}, // the application's own group
        {700, "editor", false}, // group below 2
        {999, "ghost", false},  // no such process
        {501, "gnome-shell", false}, {501, "Xwayland", false},
        {501, "pipewire", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(m->canPause(c.pid, QString::fromUtf8(c.name)), c.allowed) << c.pid;
    }
    EXPECT_FALSE(m->pause(501, QStringLiteral("Dock")));
    EXPECT_TRUE(h.signaller.sent.isEmpty());
}

TEST(PauseManager, aReusedLeadPidIsNeverContinued)
{
    Harness h;
    auto m = h.make();
    ASSERT_TRUE(m->pause(501, QStringLiteral("editor")));
    EXPECT_EQ(h.signaller.sent, (QList<std::pair<qint32, int>>{{-500, SIGSTOP}}));
    EXPECT_EQ(m->paused().first().leadPid, 500);
    EXPECT_EQ(m->paused().first().name, QStringLiteral("Editor")); // the kernel's name
    EXPECT_EQ(m->paused().first().leadStart, 1000u);

    h.info.add(500, 500, 2000); // the lead quit and its pid went to a new process
    LogWatch log;
    m->resume(m->paused().first());
    EXPECT_EQ(h.signaller.sent.size(), 1); // no SIGCONT
    EXPECT_TRUE(m->paused().isEmpty());
    EXPECT_TRUE(log.lines().contains(
        QStringLiteral("Skipped resume after PGID reuse; removed record: Editor pgid=500")));
}

TEST(PauseManager, aGroupWhoseLeaderExitedRecordsTheChosenProcess)
{
    Harness h;
    h.info.processes.remove(500);
    h.info.names.insert(501, QStringLiteral("worker"));
    auto m = h.make();
    ASSERT_TRUE(m->pause(501, QStringLiteral("given")));
    EXPECT_EQ(m->paused().first().leadPid, 501);
    EXPECT_EQ(m->paused().first().leadStart, 1001u);
    EXPECT_EQ(m->paused().first().name, QStringLiteral("worker"));
}

TEST(PauseManager, aRefusedStopLogsAndRecordsNothing)
{
    Harness h;
    h.signaller.failWith = EPERM;
    auto m = h.make();
    LogWatch log;
    EXPECT_FALSE(m->pause(501, QStringLiteral("editor")));
    EXPECT_TRUE(m->paused().isEmpty());
    EXPECT_FALSE(m->isWatching());
    EXPECT_TRUE(
        log.lines().contains(QStringLiteral("Pause failed errno=%1: editor group 500").arg(EPERM)));
}

TEST(PauseManager, bringingAFrozenAppToTheFrontThawsAndActivatesIt)
{
    Harness h;
    auto m = h.make();
    ASSERT_TRUE(m->pause(501, QStringLiteral("editor")));
    h.info.processes[500].state = 'T';
    h.info.processes[501].state = 'T';

    m->frontmostCheck();                                       // nothing in front: nothing happens
    h.frontmost.window = FrontmostWindow{h.signaller.self, 7}; // our own window
    m->frontmostCheck();
    EXPECT_EQ(m->paused().size(), 1);

    h.frontmost.window = FrontmostWindow{501, 42};
    LogWatch log;
    m->frontmostCheck();
    EXPECT_TRUE(m->paused().isEmpty());
    EXPECT_EQ(h.signaller.sent.last(), (std::pair<qint32, int>{-500, SIGCONT}));
    EXPECT_TRUE(log.lines().contains(
        QStringLiteral("User selected a frozen app; resuming automatically: Editor")));
    ASSERT_EQ(h.later.jobs.size(), 1);
    EXPECT_EQ(h.later.jobs.first().first, 300);
    EXPECT_TRUE(h.frontmost.activated.isEmpty()); // not before the delay
    h.later.runAll();
    EXPECT_EQ(h.frontmost.activated, (QList<FrontmostWindow>{{501, 42}}));
    EXPECT_FALSE(m->isWatching());
}

TEST(PauseManager, storedRecordsThatAreNotTheStoredFormAreIgnored)
{
    const char* stored[] = {
        "not json",
        "{}",
        "[1]",
        R"([{"pgid":500,"leadPid":500,"name":"x","leadStart":1000}])",          // no "at"
        R"([{"pgid":"500","leadPid":500,"name":"x","leadStart":1000,"at":1}])", // string pgid
        R"([{"pgid":500.5,"leadPid":500,"name":"x","leadStart":1000,"at":1}])", // fraction
        R"([{"pgid":500,"leadPid":500,"name":7,"leadStart":1000,"at":1}])",     // name kind
        R"([{"pgid":500,"leadPid":500,"name":"x","leadStart":-1,"at":1}])",     // negative
        R"([{"pgid":5e12,"leadPid":500,"name":"x","leadStart":1000,"at":1}])",  // beyond 32 bits
    };
    for (const char* value : stored) {
        SCOPED_TRACE(value);
        Harness h;
        h.info.processes[500].state = 'T';
        h.prefs.setData(PauseManager::kStoreKey, QByteArray(value));
        auto m = h.make();
        EXPECT_TRUE(m->paused().isEmpty());
        EXPECT_TRUE(h.signaller.sent.isEmpty());
    }
    // The same record, well formed, is taken (its lead is stopped and started at 1000).
    Harness h;
    h.info.processes[500].state = 'T';
    h.prefs.setData(
        PauseManager::kStoreKey,
        QByteArray(R"([{"at":12.5,"leadStart":1000,"name":"x","leadPid":500,"pgid":500}])"));
    auto m = h.make();
    EXPECT_EQ(m->paused(), (QList<PausedGroup>{{500, 500, QStringLiteral("x"), 1000, 12.5}}));
}

TEST(PausedGroup, encodesTheStoredKeysWithTheirKinds)
{
    const QByteArray json =
        PausedGroup::encode({{500, 501, QStringLiteral("App \"1\""), 1700000000, 1234.25}});
    const QJsonObject o = QJsonDocument::fromJson(json).array().first().toObject();
    EXPECT_EQ(o.keys(), (QStringList{QStringLiteral("at"), QStringLiteral("leadPid"),
                                     QStringLiteral("leadStart"), QStringLiteral("name"),
                                     QStringLiteral("pgid")}));
    EXPECT_EQ(o.value(QStringLiteral("leadStart")).toInteger(), 1700000000);
    EXPECT_EQ(o.value(QStringLiteral("at")).toDouble(), 1234.25);
    EXPECT_EQ(PausedGroup::decode(json),
              (QList<PausedGroup>{{500, 501, QStringLiteral("App \"1\""), 1700000000, 1234.25}}));
}
