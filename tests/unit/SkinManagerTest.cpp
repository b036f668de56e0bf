// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/SkinManager.h"
#include "platform/Preferences.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace corvanite;

namespace {

struct StoredSkinCase {
    std::optional<QString> stored;
    PanelSkin expected;
};

class SkinManagerTest : public ::testing::TestWithParam<StoredSkinCase> {};

TEST_P(SkinManagerTest, ReadsOnlyVitalsAsVitals)
{
    QTemporaryDir dir;
    Preferences prefs(dir.filePath(QStringLiteral("p.json")));
    if (GetParam().stored)
        prefs.setString(QStringLiteral("panelSkin"), *GetParam().stored);
    SkinManager manager(prefs);
    EXPECT_EQ(manager.skin(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    StoredValues, SkinManagerTest,
    ::testing::Values(StoredSkinCase{std::nullopt, PanelSkin::Glass},
                      StoredSkinCase{QStringLiteral("vitals"), PanelSkin::Vitals},
                      StoredSkinCase{QStringLiteral("glass"), PanelSkin::Glass},
                      StoredSkinCase{QStringLiteral("Vitals"), PanelSkin::Glass},
                      StoredSkinCase{QStringLiteral(""), PanelSkin::Glass},
                      StoredSkinCase{QStringLiteral("neon"), PanelSkin::Glass}));

TEST(SkinManager, EveryAssignmentWritesAndNotifiesAndSurvivesARestart)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.json"));
    {
        Preferences prefs(path);
        SkinManager manager(prefs);
        int notified = 0;
        QObject::connect(&manager, &SkinManager::skinChanged, [&] { ++notified; });
        manager.setSkin(PanelSkin::Glass); // unchanged, still written and notified
        EXPECT_EQ(prefs.stringValue(QStringLiteral("panelSkin")), QStringLiteral("glass"));
        manager.setSkin(PanelSkin::Vitals);
        EXPECT_EQ(notified, 2);
    }
    Preferences reopened(path);
    EXPECT_EQ(SkinManager(reopened).skin(), PanelSkin::Vitals);
}

TEST(PanelSkin, RawValuesAndDisplayKeysInPickerOrder)
{
    ASSERT_EQ(allPanelSkins(), (QList<PanelSkin>{PanelSkin::Glass, PanelSkin::Vitals}));
    EXPECT_EQ(rawValue(PanelSkin::Glass), QStringLiteral("glass"));
    EXPECT_EQ(displayKey(PanelSkin::Vitals), QStringLiteral("skin.vitals"));
    EXPECT_EQ(panelSkinFromRaw(QStringLiteral("vitals")), PanelSkin::Vitals);
    EXPECT_FALSE(panelSkinFromRaw(QStringLiteral("gloss")).has_value());
}

} // namespace
