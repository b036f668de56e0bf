// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The preferences file as found on disk: loaded, read through every accessor, changed and
// written back.
#include "fuzz/FuzzSupport.h"
#include "platform/Preferences.h"

#include <cstdlib>

using namespace corvanite;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::ensureApplication();
    const auto& tree = fuzz::ScratchTree::shared();
    const QString path = tree.path(QStringLiteral("preferences.json"));
    tree.write(QStringLiteral("preferences.json"), fuzz::bytes(data, size));
    {
        Preferences preferences(path);
        const QStringList keys = {QStringLiteral("menuBarMetrics"), QStringLiteral("updateFeedURL"),
                                  QStringLiteral("pausedGroups"), QStringLiteral("x")};
        for (const QString& key : keys) {
            (void)preferences.contains(key);
            (void)preferences.boolValue(key);
            (void)preferences.doubleValue(key);
            (void)preferences.integerValue(key);
            (void)preferences.storedBool(key);
            (void)preferences.storedDouble(key);
            (void)preferences.stringValue(key);
            (void)preferences.stringArray(key);
            (void)preferences.dataValue(key);
        }
        preferences.setInteger(QStringLiteral("x"), 1);
        preferences.flush();
    }
    // Whatever was there, what is written now loads back with the change.
    Preferences reloaded(path);
    if (reloaded.isWritable() && reloaded.integerValue(QStringLiteral("x")) != 1)
        std::abort();
    // Set-aside copies of unreadable files would pile up in the scratch folder.
    for (const QString& name : QDir(tree.root()).entryList({QStringLiteral("preferences.json.*")}))
        QFile::remove(tree.path(name));
    return 0;
}
