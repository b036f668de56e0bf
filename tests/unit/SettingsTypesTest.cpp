// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings/SettingsTypes.h"

#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace corvanite;

TEST(TempUnit, displayRoundsHalfAwayFromZeroAfterConverting)
{
    struct Case {
        TempUnit unit;
        double celsius;
        qint64 shown;
    };
    const Case cases[] = {
        {TempUnit::Celsius, 21.5, 22},     {TempUnit::Celsius, -0.5, -1},
        {TempUnit::Celsius, 21.49, 21},    {TempUnit::Celsius, -21.5, -22},
        {TempUnit::Fahrenheit, 100, 212},  {TempUnit::Fahrenheit, -40, -40},
        {TempUnit::Fahrenheit, 36.6, 98},  // 97.88
        {TempUnit::Fahrenheit, 37.5, 100}, // 99.5 exactly
        {TempUnit::Fahrenheit, -17.5, 1},  // 0.5 exactly
        {TempUnit::Fahrenheit, -18.5, -1}, // -1.3
    };
    for (const Case& c : cases) {
        EXPECT_EQ(display(c.unit, c.celsius), c.shown)
            << rawValue(c.unit).toStdString() << " " << c.celsius;
    }
}

TEST(TempUnit, oddReadingsNeverCrashTheDisplay)
{
    EXPECT_EQ(display(TempUnit::Celsius, std::nan("")), 0);
    EXPECT_EQ(display(TempUnit::Fahrenheit, std::numeric_limits<double>::infinity()), 0);
    EXPECT_EQ(display(TempUnit::Celsius, 1e300), std::numeric_limits<qint64>::max());
    EXPECT_EQ(display(TempUnit::Celsius, -1e300), std::numeric_limits<qint64>::min());
}

TEST(TempUnit, symbolsKeysAndRawValues)
{
    EXPECT_EQ(symbol(TempUnit::Celsius), QStringLiteral("°"));
    EXPECT_EQ(symbol(TempUnit::Fahrenheit), QStringLiteral("°F"));
    EXPECT_EQ(displayNameKey(TempUnit::Celsius),
              QStringLiteral("settings.tempunit.celsius.display"));
    EXPECT_EQ(displayNameKey(TempUnit::Fahrenheit),
              QStringLiteral("settings.tempunit.fahrenheit.display"));
    EXPECT_EQ(allTempUnits(), (QList<TempUnit>{TempUnit::Celsius, TempUnit::Fahrenheit}));
    for (TempUnit unit : allTempUnits())
        EXPECT_EQ(tempUnitFromRaw(rawValue(unit)), unit);
    EXPECT_EQ(tempUnitFromRaw(QStringLiteral("Celsius")), std::nullopt);
}

TEST(PanelModule, rawValuesInCaseOrder)
{
    QStringList raws;
    for (PanelModule module : allPanelModules()) {
        raws.append(rawValue(module));
        EXPECT_EQ(panelModuleFromRaw(rawValue(module)), module);
    }
    EXPECT_EQ(raws, (QStringList{QStringLiteral("gpu"), QStringLiteral("memory"),
                                 QStringLiteral("network"), QStringLiteral("thermal"),
                                 QStringLiteral("power"), QStringLiteral("processes")}));
    EXPECT_EQ(panelModuleFromRaw(QStringLiteral("cpu")), std::nullopt);
}

TEST(ProcessRowPreset, onlySixEightAndTwelveArePresets)
{
    QList<int> raws;
    for (ProcessRowPreset preset : allProcessRowPresets())
        raws.append(rawValue(preset));
    EXPECT_EQ(raws, (QList<int>{6, 8, 12}));
    EXPECT_EQ(processRowPresetFromRaw(8), ProcessRowPreset::Eight);
    EXPECT_EQ(processRowPresetFromRaw(7), std::nullopt);
    EXPECT_EQ(processRowPresetFromRaw(0), std::nullopt);
}
