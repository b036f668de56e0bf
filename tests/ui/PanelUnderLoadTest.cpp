// The panel on a crowded machine: thousands of extra idle processes, the real sampling engine
// scanning them with the panel open, and the real process list refreshed from its readings.

#include "tests/ui/PanelFixture.h"

#include "app/panel/Theme.h"
#include "app/panel/glass/ProcessSection.h"
#include "app/panel/glass/StatsPanelView.h"
#include "app/panel/process/ProcessListWell.h"
#include "app/panel/process/ProcessRow.h"
#include "app/sampling/Monitor.h"
#include "app/shell/MachineSources.h"

#include <QElapsedTimer>
#include <QHash>
#include <QImage>
#include <QSignalSpy>

#include <csignal>
#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace corvanite;
using corvanite::test::PanelFixture;

namespace {

constexpr int kExtraProcesses = 3000;

// Idle children that only wait to be killed.
class IdleChildren {
public:
    explicit IdleChildren(int count)
    {
        for (int i = 0; i < count; ++i) {
            const pid_t pid = ::fork();
            if (pid == 0) {
                for (;;)
                    ::pause();
            }
            if (pid < 0)
                break;
            m_pids.push_back(pid);
        }
    }
    ~IdleChildren()
    {
        for (pid_t pid : m_pids)
            ::kill(pid, SIGKILL);
        for (pid_t pid : m_pids)
            ::waitpid(pid, nullptr, 0);
    }
    std::size_t count() const { return m_pids.size(); }

private:
    std::vector<pid_t> m_pids;
};

using PanelUnderLoad = PanelFixture;

} // namespace

// The figures are printed for the record; only the outcome is asserted, as timings on a shared
// machine say little about the code.
TEST_F(PanelUnderLoad, aScanOfThousandsOfProcessesRefreshesTheOpenPanelsList)
{
    IdleChildren children(kExtraProcesses);
    ASSERT_EQ(children.count(), static_cast<std::size_t>(kExtraProcesses));

    auto root = makePanel();
    root->show();
    auto* glass = qobject_cast<StatsPanelView*>(root->frontFace());
    ASSERT_NE(glass, nullptr);
    ProcessListWell* well = glass->processes()->list();
    // The rows on show, as pid and name.
    const auto shownRows = [&] {
        QHash<qint32, QString> rows;
        for (ProcessRow* row : well->rows()) {
            if (row->isVisible())
                rows.insert(row->record().proc.pid, row->record().proc.name);
        }
        return rows;
    };
    const QHash<qint32, QString> recorded = shownRows();
    ASSERT_FALSE(recorded.isEmpty());

    Monitor monitor(machineSources(), Clock::system(), MonitorPolicy{});
    readings.follow(monitor);
    monitor.start(Monitor::kDefaultInterval);
    QSignalSpy scanned(&monitor, &Monitor::processesChanged);
    QElapsedTimer pass;
    pass.start();
    monitor.setPublishingPaused(false); // the panel opens: a scanning pass at once
    // A light pass still in flight when the panel opens is published first, without a table.
    while (monitor.processes().isEmpty())
        ASSERT_TRUE(scanned.wait(20000));
    const qint64 passMs = pass.elapsed();
    const qsizetype processCount = monitor.processes().size();
    EXPECT_GE(processCount, kExtraProcesses);

    // The list now ranks the machine's processes in place of the recorded ones.
    const QHash<qint32, QString> shown = shownRows();
    EXPECT_EQ(shown.size(), settings.processRowCount());
    EXPECT_NE(shown, recorded);
    QHash<qint32, QString> live;
    for (const ProcessSample& p : monitor.processes())
        live.insert(p.pid, p.name);
    for (auto it = shown.begin(); it != shown.end(); ++it)
        EXPECT_EQ(live.value(it.key()), it.value()) << "a row the scan did not find: " << it.key();

    // One build and paint of the process section with every one of those processes.
    QElapsedTimer build;
    build.start();
    ProcessSection section(services);
    section.resize(376, section.height());
    QImage image(section.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    section.render(&image);
    const qint64 buildMs = build.elapsed();
    EXPECT_EQ(section.list()->rows().size(), settings.processRowCount());
    // And a refresh of the open panel's list from the same readings.
    QElapsedTimer refresh;
    refresh.start();
    well->refresh();
    well->repaint();
    const qint64 refreshMs = refresh.elapsed();

    std::printf("panel under load: %lld processes; scanning pass %lld ms (panel opened to "
                "published); process section built and painted in %lld ms; list refreshed and "
                "repainted in %lld ms\n",
                static_cast<long long>(processCount), static_cast<long long>(passMs),
                static_cast<long long>(buildMs), static_cast<long long>(refreshMs));
}
