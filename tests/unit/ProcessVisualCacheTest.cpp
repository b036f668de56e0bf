// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sampling/ProcessVisualCache.h"
#include "platform/linux/DesktopApplications.h"
#include "tests/support/FixtureTree.h"
#include "tests/support/WaitFor.h"

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

namespace {

QByteArray entry(const char* name, const char* exec, const char* extra = "")
{
    return QByteArray("[Desktop Entry]\nType=Application\nName=") + name + "\nExec=" + exec + '\n' +
           extra;
}

// A process as the fixture's procfs shows it: its short name and the unit it runs in.
void process(const FixtureTree& tree, int pid, const char* comm, const char* unit = "")
{
    tree.write(QStringLiteral("proc/%1/comm").arg(pid), QByteArray(comm) + '\n');
    tree.write(QStringLiteral("proc/%1/cgroup").arg(pid),
               QByteArray("0::/user.slice/user@1000.service/app.slice/") + unit + '\n');
}

} // namespace

// An application's entry names only processes of its own program: the shell in a terminal's
// scope stays "bash"; hidden, deleted and masked entries name nothing.
TEST(DesktopApplications, namesOnlyProcessesOfTheEntrysOwnProgram)
{
    FixtureTree tree(QStringLiteral("linux"));
    tree.write(QStringLiteral("local/applications/org.example.Editor.desktop"),
               entry("Editor", "/usr/bin/example-editor %F",
                     "Name[de]=Bearbeiter\nIcon=accessories-text-editor\n"));
    tree.write(QStringLiteral("local/applications/masked.desktop"),
               entry("Masked", "masked", "NoDisplay=true\n"));
    tree.write(QStringLiteral("share/applications/org.example.EditorBeta.desktop"),
               entry("Editor Beta", "example-editor --beta"));
    tree.write(QStringLiteral("share/applications/masked.desktop"), entry("Masked", "masked"));
    tree.write(QStringLiteral("share/applications/viewer.desktop"),
               entry("Viewer", "sh -c viewer", "StartupWMClass=Viewer-Bin\n"));
    tree.write(QStringLiteral("share/applications/gone.desktop"),
               entry("Gone", "gone", "Hidden=true\n"));
    tree.write(QStringLiteral("share/applications/launcher.desktop"),
               entry("Create Launcher on the panel", "panel-helper", "NoDisplay=true\n"));
    tree.write(QStringLiteral("share/applications/Alacritty.desktop"),
               entry("Alacritty", "alacritty"));
    tree.write(QStringLiteral("share/applications/org.foo.Bar.desktop"),
               entry("Bar", "/usr/bin/flatpak run --branch=stable --command=bar org.foo.Bar"));

    process(tree, 20, "example-editor", "app-gnome-org.example.EditorBeta-4242.scope");
    process(tree, 21, "example-editor", "session-2.scope");
    process(tree, 22, "viewer-bin");
    process(tree, 23, "bash", "app-Alacritty-77.scope");
    process(tree, 24, "python3", "app-Alacritty-77.scope");
    process(tree, 25, "alacritty", "app-Alacritty-77.scope");
    process(tree, 26, "panel-helper");
    process(tree, 27, "gone");
    process(tree, 28, "bar", "app-flatpak-org.foo.Bar-12.scope");
    process(tree, 29, "masked");
    process(tree, 30, "sh");

    DesktopApplications apps(
        {tree.path(QStringLiteral("local")), tree.path(QStringLiteral("share"))}, tree.root(),
        QStringLiteral("de_DE"));
    struct Case {
        qint32 pid;
        const char* name; // nullptr: no application
    };
    const Case cases[] = {
        {20, "Editor Beta"},                // of two entries for the program, the scope's
        {21, "Bearbeiter"},                 // by the program, the first folder's entry
        {22, "Viewer"},                     // by WM class
        {23, nullptr},       {24, nullptr}, // other processes of the terminal's scope
        {25, "Alacritty"},   {26, nullptr}, {27, nullptr},
        {28, "Bar"},         {29, nullptr}, // masked by the user's hidden copy
        {30, nullptr},                      // a shell is not the viewer's program
        {99, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pid);
        const std::optional<RunningApplication> app = apps.application(c.pid);
        if (c.name)
            EXPECT_EQ(app ? app->localizedName : QStringLiteral("<none>"),
                      QString::fromUtf8(c.name));
        else
            EXPECT_EQ(app, std::nullopt);
    }
    EXPECT_EQ(apps.application(21)->iconName, QStringLiteral("accessories-text-editor"));
}

TEST(DesktopApplications, entriesInstalledOrRemovedWhileRunningArePickedUp)
{
    FixtureTree tree(QStringLiteral("linux"));
    tree.write(QStringLiteral("data/.keep"), "");
    process(tree, 40, "newapp");
    DesktopApplications apps({tree.path(QStringLiteral("data"))}, tree.root());
    ProcessVisualCache cache(apps);
    EXPECT_EQ(cache.lookup(40, QStringLiteral("newapp")).name, QStringLiteral("newapp"));

    // Installed into an applications folder that did not exist at launch.
    tree.write(QStringLiteral("data/applications/newapp.desktop"), entry("New App", "newapp"));
    EXPECT_TRUE(test::waitFor([&] { return apps.application(40).has_value(); }));
    EXPECT_EQ(cache.lookup(40, QStringLiteral("newapp")).name, QStringLiteral("New App"));

    tree.remove(QStringLiteral("data/applications/newapp.desktop"));
    EXPECT_TRUE(test::waitFor([&] { return !apps.application(40).has_value(); }));
    EXPECT_EQ(cache.lookup(40, QStringLiteral("newapp")).name, QStringLiteral("newapp"));

    // And into a vendor subfolder made later.
    tree.write(QStringLiteral("data/applications/vendor/newapp.desktop"),
               entry("Vendor App", "newapp"));
    EXPECT_TRUE(test::waitFor([&] { return apps.application(40).has_value(); }));
    EXPECT_EQ(apps.application(40)->localizedName, QStringLiteral("Vendor App"));
}
