// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/QtPrinters.h"

#include "app/menubar/MenuBarLayout.h"

#include "app/base/L10n.h"
#include "tests/support/ScreenFixtures.h"

#include <gtest/gtest.h>

using namespace corvanite;
using M = MenuBarMetric;

namespace {

struct TextCase {
    const char* name;
    QList<MenuBarMetric> metrics;
    bool compact;
    double cpu, mem, down, up;
    QString expected;
};

class StatusText : public ::testing::TestWithParam<TextCase> {
protected:
    void SetUp() override { L10n::shared().setLanguage(AppLanguage::En); }
};

TEST_P(StatusText, ComposesTheLine)
{
    const TextCase& c = GetParam();
    EXPECT_EQ(MenuBarLayout::statusText(c.cpu, c.mem, c.down, c.up, c.metrics, c.compact),
              c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StatusText,
    ::testing::Values(
        TextCase{"classic_with_rates",
                 {M::Cpu, M::Memory, M::Network},
                 false,
                 23,
                 61,
                 1.2e6,
                 45e3,
                 QStringLiteral("CPU 23%  MEM 61%  ↓1.2M ↑45K")},
        TextCase{"compact_with_rates",
                 {M::Cpu, M::Memory, M::Network},
                 true,
                 23,
                 61,
                 1.2e6,
                 45e3,
                 QStringLiteral("23% 61% ↓1.2M ↑45K")},
        TextCase{"unsorted_classic",
                 {M::Memory, M::Cpu},
                 false,
                 23.4,
                 60.6,
                 0,
                 0,
                 QStringLiteral("CPU 23%  MEM 61%")},
        TextCase{"empty_is_cpu_and_memory",
                 {},
                 false,
                 23,
                 61,
                 9e6,
                 9e6,
                 QStringLiteral("CPU 23%  MEM 61%")},
        TextCase{"network_then_cpu_per_part",
                 {M::Network, M::Cpu},
                 false,
                 42,
                 61,
                 1.2e6,
                 45e3,
                 QStringLiteral("CPU 42%  ↓1.2M ↑45K")},
        TextCase{"memory_alone", {M::Memory}, false, 42, 61, 0, 0, QStringLiteral("MEM 61%")},
        TextCase{"compact_without_keys",
                 {M::Cpu, M::Memory},
                 true,
                 5,
                 48,
                 0,
                 0,
                 QStringLiteral("5% 48%")},
        TextCase{"compact_rates", {M::Network}, true, 5, 48, 0, 1.5e6, QStringLiteral("↓0B ↑1.5M")},
        TextCase{"compact_empty", {}, true, 100, 7, 0, 0, QStringLiteral("100% 7%")},
        TextCase{"duplicates_stay",
                 {M::Cpu, M::Network, M::Cpu},
                 true,
                 9,
                 0,
                 0,
                 0,
                 QStringLiteral("9% 9% ↓0B ↑0B")},
        TextCase{"memory_and_rates",
                 {M::Network, M::Memory},
                 false,
                 1,
                 61,
                 1.2e6,
                 45e3,
                 QStringLiteral("MEM 61%  ↓1.2M ↑45K")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StatusText, FollowsTheInterfaceLanguageExceptInCompactForm)
{
    L10n::shared().setLanguage(AppLanguage::De);
    EXPECT_EQ(MenuBarLayout::statusText(23, 61, 0, 0, {}, false),
              QStringLiteral("CPU 23%  RAM 61%"));
    EXPECT_EQ(MenuBarLayout::statusText(23, 61, 0, 0, {}, true), QStringLiteral("23% 61%"));
    L10n::shared().setLanguage(AppLanguage::En);
}

TEST(CompactColumns, PercentagesStackOverEachOtherAndRatesBesideThem)
{
    EXPECT_EQ(MenuBarLayout::compactColumns(23, 61, 1.2e6, 45e3, {M::Network, M::Cpu, M::Memory}),
              (QList<QStringList>{{QStringLiteral("23%"), QStringLiteral("61%")},
                                  {QStringLiteral("↓1.2M"), QStringLiteral("↑45K")}}));
    EXPECT_EQ(MenuBarLayout::compactColumns(23, 61, 0, 0, {}),
              (QList<QStringList>{{QStringLiteral("23%"), QStringLiteral("61%")}}));
    EXPECT_EQ(MenuBarLayout::compactColumns(23, 61, 0, 1.5e6, {M::Network}),
              (QList<QStringList>{{QStringLiteral("↓0B"), QStringLiteral("↑1.5M")}}));
}

ScreenFacts notched()
{
    return test::notchedScreen();
}

ScreenFacts plain()
{
    ScreenFacts s;
    s.frame = QRectF(0, 0, 1920, 1080);
    s.visibleFrame = QRectF(0, 0, 1920, 1055);
    return s;
}

TEST(CompactDecision, NotchModesOnScreensWithAndWithoutAHousing)
{
    ScreenFacts insetOnly = plain();
    insetOnly.safeAreaTopInset = 24;
    ScreenFacts oneSided = plain();
    oneSided.auxiliaryTopLeftArea = QRectF(0, 0, 600, 24);
    ScreenFacts zeroWidth = plain();
    zeroWidth.auxiliaryTopLeftArea = QRectF(0, 0, 0, 24);
    zeroWidth.auxiliaryTopRightArea = QRectF(900, 0, 0, 24);

    struct Case {
        const char* name;
        std::optional<ScreenFacts> screen;
        bool hasNotch;
    };
    const Case cases[] = {
        {"no screen", std::nullopt, false},      {"notched", notched(), true},
        {"inset only", insetOnly, true},         {"plain", plain(), false},
        {"one auxiliary area", oneSided, false}, {"zero-width areas", zeroWidth, false}};
    for (const Case& c : cases) {
        EXPECT_EQ(MenuBarLayout::screenHasNotch(c.screen), c.hasNotch) << c.name;
        EXPECT_EQ(MenuBarLayout::isCompact(NotchMode::Auto, c.screen), c.hasNotch) << c.name;
        EXPECT_FALSE(MenuBarLayout::isCompact(NotchMode::Off, c.screen)) << c.name;
        EXPECT_TRUE(MenuBarLayout::isCompact(NotchMode::Always, c.screen)) << c.name;
    }
}

TEST(RightMenuPocket, TheAreaRightOfTheHousingWhenItHasWidth)
{
    EXPECT_EQ(MenuBarLayout::rightMenuPocket(notched()), QRectF(851, 949, 661, 33));
    EXPECT_FALSE(MenuBarLayout::rightMenuPocket(plain()).has_value());
    ScreenFacts zeroWidth = notched();
    zeroWidth.auxiliaryTopRightArea = QRectF(851, 949, 0, 33);
    EXPECT_FALSE(MenuBarLayout::rightMenuPocket(zeroWidth).has_value());
}

} // namespace
