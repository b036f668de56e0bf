// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/PanelFonts.h"
#include "app/panel/Symbols.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextLayout>

#include <gtest/gtest.h>

using namespace corvanite;

namespace {

// Every symbol name draws exactly one glyph of the icon font: a ligature the font does not
// know would show its letters instead.
TEST(PanelSymbols, EveryNameDrawsOneGlyphOfTheIconFont)
{
    ASSERT_TRUE(QFontDatabase::families().contains(Symbols::kFontFamily));
    for (const QString& name : Symbols::names()) {
        QTextLayout layout(Symbols::glyph(name), Symbols::font(16));
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        qsizetype glyphs = 0;
        for (const QGlyphRun& run : layout.glyphRuns())
            glyphs += run.glyphIndexes().size();
        EXPECT_EQ(glyphs, 1) << name.toStdString() << " -> " << Symbols::glyph(name).toStdString();
    }
}

struct Slot {
    const char* key;
    QFont font;
    double width;
};

// The fixed-width places of the panels, measured with the panels' own fonts in every table.
TEST(PanelTexts, FixedWidthSlotsHoldTheirTextInEveryLanguage)
{
    ASSERT_TRUE(QFontDatabase::families().contains(QStringLiteral("Noto Sans CJK JP")))
        << "fonts-noto-cjk is needed for a real measurement";
    ASSERT_TRUE(QFontDatabase::families().contains(QStringLiteral("Loma")))
        << "fonts-thai-tlwg is needed for a real measurement";
    const double segment = (168.0 - 4) / 3 - 3;
    const QList<Slot> slots{
        {"proc.sort.cpu", PanelFonts::text(10, QFont::DemiBold), segment},
        {"proc.sort.memory", PanelFonts::text(10, QFont::DemiBold), segment},
        {"proc.sort.energy", PanelFonts::text(10, QFont::DemiBold), segment},
        {"glass.gpu.renderer", PanelFonts::text(10), 42},
        {"glass.gpu.tiler", PanelFonts::text(10), 42},
        {"vitals.channel.cpu", PanelFonts::condensed(11, QFont::DemiBold), 46},
        {"vitals.channel.gpu", PanelFonts::condensed(11, QFont::DemiBold), 46},
        {"vitals.channel.memory", PanelFonts::condensed(11, QFont::DemiBold), 46},
        {"vitals.channel.networkDown", PanelFonts::condensed(11, QFont::DemiBold), 46},
        {"vitals.channel.temperature", PanelFonts::condensed(11, QFont::DemiBold), 46},
        {"vitals.channel.cpuLoad", PanelFonts::condensed(8), 46},
        {"vitals.channel.gpuUtil", PanelFonts::condensed(8), 46},
        {"vitals.channel.memoryUsed", PanelFonts::condensed(8), 46},
        {"vitals.gpu.coreCount", PanelFonts::condensed(9, QFont::Medium), 46},
        {"vitals.core.channels", PanelFonts::condensed(9, QFont::Medium), 46},
        // The high badge inside the name column, with its inner margins.
        {"vitals.high", PanelFonts::condensed(8, QFont::Bold), 46 - 8},
        {"vitals.gpu.engines", PanelFonts::condensed(9, QFont::Medium), 50},
    };
    const QDir tables(QStringLiteral(CORVANITE_SOURCE_DIR "/i18n"));
    const QStringList files = tables.entryList({QStringLiteral("*.json")});
    ASSERT_EQ(files.size(), 9);
    for (const QString& file : files) {
        QFile f(tables.filePath(file));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QJsonObject table = QJsonDocument::fromJson(f.readAll()).object();
        for (const Slot& slot : slots) {
            const QString key = QString::fromLatin1(slot.key);
            // The widest count these take is two digits.
            const QString text =
                table.value(key).toString().replace(QStringLiteral("%d"), QStringLiteral("24"));
            if (text.isEmpty())
                continue;
            const double width = QFontMetricsF(slot.font).horizontalAdvance(text);
            EXPECT_LE(width, slot.width)
                << file.toStdString() << " " << slot.key << " \"" << text.toStdString() << "\"";
        }
    }
}

} // namespace
