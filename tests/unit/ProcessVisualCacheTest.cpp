// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sampling/ProcessVisualCache.h"
#include "platform/linux/DesktopApplications.h"
#include "tests/support/FixtureTree.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace corvanite;
using corvanite::test::FixtureTree;

namespace {

class FakeApplications final : public RunningApplications {
public:
    QHash<qint32, RunningApplication> apps;
    QList<qint32> asked;
    std::optional<RunningApplication> application(qint32 pid) override
    {
        asked.append(pid);
        return apps.contains(pid) ? std::optional<RunningApplication>(apps.value(pid))
                                  : std::nullopt;
    }
};

} // namespace

TEST(ProcessVisualCache, looksUpOncePerPidUntilThePidIsGone)
{
    QTemporaryDir dir;
    const QString iconPath = dir.filePath(QStringLiteral("icon.svg"));
    QFile icon(iconPath);
    ASSERT_TRUE(icon.open(QIODevice::WriteOnly));
    icon.write("<svg xmlns='http://www.w3.org/2000/svg' width='16' height='16'/>");
    icon.close();

    FakeApplications apps;
    apps.apps.insert(10, RunningApplication{QStringLiteral("Text Editor"), iconPath});
    apps.apps.insert(11, RunningApplication{QString(), iconPath}); // no localised name
    ProcessVisualCache cache(apps);

    const ProcessVisual editor = cache.lookup(10, QStringLiteral("gedit"));
    EXPECT_EQ(editor.name, QStringLiteral("Text Editor"));
    EXPECT_TRUE(editor.icon.has_value());
    const ProcessVisual unnamed = cache.lookup(11, QStringLiteral("tool"));
    EXPECT_EQ(unnamed.name, QStringLiteral("tool"));
    EXPECT_TRUE(unnamed.icon.has_value());
    const ProcessVisual plain = cache.lookup(12, QStringLiteral("daemon"));
    EXPECT_EQ(plain.name, QStringLiteral("daemon"));
    EXPECT_FALSE(plain.icon.has_value());

    cache.lookup(10, QStringLiteral("other"));
    cache.lookup(12, QStringLiteral("other"));
    EXPECT_EQ(apps.asked, (QList<qint32>{10, 11, 12}));

    cache.prune({10, 11});
    cache.lookup(12, QStringLiteral("daemon"));
    cache.lookup(10, QStringLiteral("gedit"));
    EXPECT_EQ(apps.asked, (QList<qint32>{10, 11, 12, 12}));
}

TEST(DesktopApplications, unitNamesGiveDesktopIds)
{
    struct Case {
        const char* unit;
        QStringList ids;
    };
    const Case cases[] = {
        {"app-org.gnome.Terminal-12345.scope", {"org.gnome.Terminal"}},
        {"app-gnome-firefox-2211.scope", {"gnome-firefox", "firefox"}},
        {"app-firefox@a1b2c3.service", {"firefox"}},
        {"app-kde\\x2dthing-99.scope", {"kde-thing"}}, // an escaped dash separates nothing
        {"session-2.scope", {}},
        {"app-.scope", {}},
        {"", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.unit);
        EXPECT_EQ(DesktopApplications::idsFromUnit(QString::fromUtf8(c.unit)), c.ids);
    }
}

TEST(DesktopApplications, findsTheEntryByScopeThenByProgram)
{
    FixtureTree tree(QStringLiteral("linux"));
    tree.write(QStringLiteral("share/applications/org.example.Editor.desktop"),
               "[Desktop Entry]\nType=Application\nName=Editor\nName[de]=Bearbeiter\n"
               "Icon=accessories-text-editor\nExec=/usr/bin/example-editor %F\n");
    tree.write(QStringLiteral("share/applications/viewer.desktop"),
               "[Desktop Entry]\nType=Application\nName=Viewer\nExec=sh -c viewer\n"
               "StartupWMClass=Viewer-Bin\n");
    tree.write(QStringLiteral("share/applications/gone.desktop"),
               "[Desktop Entry]\nType=Application\nName=Gone\nHidden=true\nExec=gone\n");
    tree.write(QStringLiteral("proc/20/cgroup"),
               "0::/user.slice/user-1000.slice/user@1000.service/app.slice/"
               "app-gnome-org.example.Editor-4242.scope\n");
    tree.write(QStringLiteral("proc/21/cgroup"), "0::/user.slice/session-2.scope\n");
    tree.write(QStringLiteral("proc/21/comm"), "example-editor\n");
    tree.write(QStringLiteral("proc/22/cgroup"), "0::/\n");
    tree.write(QStringLiteral("proc/22/comm"), "viewer-bin\n");
    tree.write(QStringLiteral("proc/23/cgroup"), "0::/\n");
    tree.write(QStringLiteral("proc/23/comm"), "sh\n");
    tree.write(QStringLiteral("proc/24/comm"), "gone\n");

    DesktopApplications apps({tree.path(QStringLiteral("share"))}, tree.root(),
                             QStringLiteral("de_DE"));
    const RunningApplication editor{QStringLiteral("Bearbeiter"),
                                    QStringLiteral("accessories-text-editor")};
    EXPECT_EQ(apps.application(20), editor);                                  // by its scope
    EXPECT_EQ(apps.application(21), editor);                                  // by the Exec program
    EXPECT_EQ(apps.application(22)->localizedName, QStringLiteral("Viewer")); // by WM class
    EXPECT_EQ(apps.application(23), std::nullopt); // a shell is not the viewer's program
    EXPECT_EQ(apps.application(24), std::nullopt); // hidden entries do not count
    EXPECT_EQ(apps.application(99), std::nullopt);
}
