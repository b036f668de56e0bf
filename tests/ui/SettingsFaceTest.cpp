// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/ui/PanelFixture.h"

#include "app/panel/PanelFlipState.h"
#include "app/panel/RootPanelView.h"
#include "app/panel/settings/SettingsButton.h"
#include "app/panel/settings/SettingsContent.h"
#include "app/panel/settings/SettingsFlipFace.h"

#include <QComboBox>
#include <QTest>

namespace corvanite::test {
namespace {

class SettingsFaceTest : public PanelFixture {};

TEST_F(SettingsFaceTest, TheBackFaceIsTheSettingsAndBackOrEscapeTurnsTheReadingsUp)
{
    auto root = makePanel();
    root->show();
    flip.reset();
    auto* face = qobject_cast<SettingsFlipFace*>(root->backFace());
    ASSERT_NE(face, nullptr);
    flip.setFlipped(true);
    flip.reset(); // settle without the animation
    flip.setFlipped(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !root->isTurning(); }, 3000));
    EXPECT_TRUE(face->isVisible());
    save(render(*root), QStringLiteral("settings-face-glass-en.png"));

    face->backButton()->click();
    EXPECT_FALSE(flip.flipped());

    flip.setFlipped(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !root->isTurning(); }, 3000));
    root->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(root.get()));
    face->backButton()->setFocus();
    QTest::keyClick(face->backButton(), Qt::Key_Escape);
    EXPECT_FALSE(flip.flipped());
}

TEST_F(SettingsFaceTest, TheSkinPickerOnTheFaceRestylesItWithoutRebuildingIt)
{
    auto root = makePanel();
    root->show();
    QPointer<QWidget> face = root->backFace();
    auto* skin = face->findChild<QComboBox*>(QStringLiteral("settings.skin"));
    ASSERT_NE(skin, nullptr);
    const int vitals = skin->findData(QStringLiteral("vitals"));
    skin->setCurrentIndex(vitals);
    Q_EMIT skin->activated(vitals); // the picker is still at work while the skin changes
    QCoreApplication::processEvents();
    EXPECT_EQ(skins.skin(), PanelSkin::Vitals);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(root->backFace(), face.data());
    EXPECT_TRUE(face->findChild<SettingsContent*>()->style().condensed);
}

} // namespace
} // namespace corvanite::test
