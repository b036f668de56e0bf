// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/process/PauseManager.h"
#include "platform/Clock.h"
#include "platform/Preferences.h"
#include "platform/linux/LinuxProcessInfo.h"
#include "tests/support/FakeProcessPlatform.h"
#include "tests/support/FixtureTree.h"
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
    EXPECT_EQ(m->paused(),
              (QList<PausedGroup>{{500, 500, QStringLiteral("x"), 1000, 12.5, {}, std::nullopt}}));
}

TEST(PausedGroup, encodesTheStoredKeysWithTheirKinds)
{
    const PausedGroup old{500, 501,         QStringLiteral("App \"1\""), 1700000000, 1234.25,
                          {},  std::nullopt};
    const PausedGroup exact{
        500, 501, QStringLiteral("App"), 1700000000, 1234.25, QStringLiteral("b0"), 987654321};
    const QJsonArray array = QJsonDocument::fromJson(PausedGroup::encode({old, exact})).array();
    const QJsonObject o = array.first().toObject();
    // Without an exact identity the record is written exactly as earlier versions wrote it.
    EXPECT_EQ(o.keys(), (QStringList{QStringLiteral("at"), QStringLiteral("leadPid"),
                                     QStringLiteral("leadStart"), QStringLiteral("name"),
                                     QStringLiteral("pgid")}));
    EXPECT_EQ(o.value(QStringLiteral("leadStart")).toInteger(), 1700000000);
    EXPECT_EQ(o.value(QStringLiteral("at")).toDouble(), 1234.25);
    const QJsonObject e = array.last().toObject();
    EXPECT_EQ(e.value(QStringLiteral("bootId")).toString(), QStringLiteral("b0"));
    EXPECT_EQ(e.value(QStringLiteral("leadStartTicks")).toInteger(), 987654321);
    EXPECT_EQ(PausedGroup::decode(PausedGroup::encode({old, exact})),
              (QList<PausedGroup>{old, exact}));

    // A malformed or half identity is dropped, never the record.
    const char* extras[] = {R"("bootId":7,"leadStartTicks":5)",
                            R"("bootId":"b0","leadStartTicks":-1)", R"("bootId":"b0")",
                            R"("leadStartTicks":5)", R"("bootId":"","leadStartTicks":5)"};
    for (const char* extra : extras) {
        SCOPED_TRACE(extra);
        const QByteArray json =
            QByteArray(
                R"([{"pgid":500,"leadPid":501,"name":"App","leadStart":1700000000,"at":1,)") +
            extra + "}]";
        EXPECT_EQ(PausedGroup::decode(json),
                  (QList<PausedGroup>{
                      {500, 501, QStringLiteral("App"), 1700000000, 1, {}, std::nullopt}}));
    }
}

namespace {

// A procfs tree with one process, 500, leading its group, and what the machine says of its
// boot. The wall-clock start of the process is btime + ticks / 100 (Linux reports 100 ticks a
// second to user space).
struct StoppedLeadTree {
    FixtureTree tree{QStringLiteral("linux")};

    void set(quint64 btime, quint64 startTicks, const char* bootId, char state = 'T')
    {
        tree.write(QStringLiteral("proc/stat"),
                   "cpu 1 0 1 1 0 0 0 0 0 0\nbtime " + QByteArray::number(btime) + '\n');
        tree.write(QStringLiteral("proc/sys/kernel/random/boot_id"), QByteArray(bootId) + '\n');
        const QByteArray stat = "500 (editor) " + QByteArray(1, state) +
                                " 1 500 500 0 -1 4194560 0 0 0 0 5 5 0 0 20 0 1 0 " +
                                QByteArray::number(startTicks) + " 1000 10 0\n";
        tree.write(QStringLiteral("proc/500/stat"), stat);
        tree.write(QStringLiteral("proc/500/task/500/stat"), stat);
        tree.write(QStringLiteral("proc/500/comm"), "editor\n");
    }
};

// Groups as the fixture tree says; every signal is recorded, none is sent.
class TreeSignals final : public ProcessSignals {
public:
    explicit TreeSignals(const ProcessInfo& info)
        : m_info(info)
    {
    }
    QList<std::pair<qint32, int>> sent;
    qint32 processGroup(qint32 pid) const override
    {
        const auto s = m_info.status(pid);
        return s ? s->processGroup : -1;
    }
    qint32 ownPid() const override { return 4242; }
    int send(qint32 pid, int signal) override
    {
        sent.append({pid, signal});
        return 0;
    }

private:
    const ProcessInfo& m_info;
};

} // namespace

// The wall-clock start of a process is derived from btime, which moves when the clock is
// stepped. A relaunch after a step must still know its frozen group, and must still refuse a
// new process that happens to get the old pid and the old wall-clock start.
TEST(PauseManager, aClockStepBetweenLaunchesKeepsTheRecordAndStillRefusesAReusedPid)
{
    QTemporaryDir dir;
    Preferences prefs(dir.filePath(QStringLiteral("prefs.json")));
    FakeClock clock;
    FakeFrontmost frontmost;
    CapturedCalls later;
    StoppedLeadTree proc;
    auto launch = [&](LinuxProcessInfo& info, TreeSignals& signaller) {
        return std::make_unique<PauseManager>(PauseManager::Dependencies{
            &info, &signaller, &prefs, &clock, &frontmost, later.delayedCall()});
    };

    proc.set(1700000000, 250000, "boot-a", 'S');
    PausedGroup record;
    {
        LinuxProcessInfo info(proc.tree.root());
        TreeSignals signaller(info);
        auto m = launch(info, signaller);
        ASSERT_TRUE(m->pause(500, QStringLiteral("editor")));
        record = m->paused().first();
        EXPECT_EQ(record.leadStart, 1700002500u);
        EXPECT_EQ(record.bootId, QStringLiteral("boot-a"));
        EXPECT_EQ(record.leadStartTicks, 250000u);
    }
    const QByteArray stored = *prefs.dataValue(PauseManager::kStoreKey);

    struct Case {
        const char* what;
        quint64 btime;
        quint64 ticks;
        const char* boot;
        bool kept;
    };
    const Case cases[] = {
        {"clock stepped an hour forward", 1700003600, 250000, "boot-a", true},
        {"clock stepped a day back", 1699913600, 250000, "boot-a", true},
        // Old pid, old wall-clock start (the step makes up for the later tick): another process.
        {"pid reused, step hides it", 1699996400, 610000, "boot-a", false},
        {"same tick after a reboot", 1700000000, 250000, "boot-b", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        prefs.setData(PauseManager::kStoreKey, stored);
        clock.setNow(clock.now() + 3600);
        proc.set(c.btime, c.ticks, c.boot);
        LinuxProcessInfo info(proc.tree.root()); // a new run reads btime anew
        TreeSignals signaller(info);
        auto m = launch(info, signaller);
        EXPECT_EQ(m->paused().size(), c.kept ? 1 : 0);
        m->resume(record);
        const QList<std::pair<qint32, int>> expected =
            c.kept ? QList<std::pair<qint32, int>>{{-500, SIGCONT}}
                   : QList<std::pair<qint32, int>>{};
        EXPECT_EQ(signaller.sent, expected);
    }

    // A record stored before the exact identity existed is still taken, by its start.
    proc.set(1700000000, 250000, "boot-a");
    record.bootId.clear();
    record.leadStartTicks.reset();
    prefs.setData(PauseManager::kStoreKey, PausedGroup::encode({record}));
    LinuxProcessInfo info(proc.tree.root());
    TreeSignals signaller(info);
    EXPECT_EQ(launch(info, signaller)->paused(), QList<PausedGroup>{record});
}
