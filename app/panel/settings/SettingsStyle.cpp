// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/settings/SettingsStyle.h"

namespace corvanite {

namespace {

QColor rgba(double r, double g, double b, double a = 1.0)
{
    return QColor::fromRgbF(r, g, b, a);
}

QString css(const QColor& color)
{
    return QStringLiteral("rgba(%1, %2, %3, %4)")
        .arg(color.red())
        .arg(color.green())
        .arg(color.blue())
        .arg(color.alphaF(), 0, 'f', 3);
}

} // namespace

SettingsStyle SettingsStyle::of(PanelSkin skin)
{
    SettingsStyle s;
    if (skin == PanelSkin::Vitals) {
        // A monitor's black screen: dim teal chrome, traces in phosphor green.
        s.background = rgba(0, 0, 0);
        s.sectionTitle = rgba(0.31, 0.847, 1.0);
        s.rowLabel = rgba(0.918, 0.953, 0.957);
        s.rowValue = rgba(0.247, 0.941, 0.541);
        s.hint = rgba(0.56, 0.64, 0.66);
        s.cardFill = rgba(0.051, 0.071, 0.078);
        s.cardBorder = rgba(0.11, 0.133, 0.149);
        s.separator = rgba(0.11, 0.133, 0.149);
        s.accent = rgba(0.247, 0.941, 0.541);
        s.warning = rgba(1.0, 0.839, 0.271);
        s.chrome = rgba(0.059, 0.086, 0.094);
        s.corner = 4;
        s.condensed = true;
        s.titleKerning = 1.5;
        return s;
    }
    // Frosted dark glass: translucent white cards on a charcoal gradient, system blue accent.
    s.background = rgba(0.129, 0.13, 0.149);
    s.sectionTitle = rgba(1, 1, 1, 0.52);
    s.rowLabel = rgba(1, 1, 1, 0.96);
    s.rowValue = rgba(1, 1, 1, 0.72);
    s.hint = rgba(1, 1, 1, 0.52);
    s.cardFill = rgba(1, 1, 1, 0.07);
    s.cardBorder = rgba(1, 1, 1, 0.14);
    s.separator = rgba(1, 1, 1, 0.08);
    s.accent = rgba(0.039, 0.518, 1.0);
    s.warning = rgba(1.0, 0.839, 0.039);
    s.chrome = rgba(0.2, 0.2, 0.22);
    s.corner = 10;
    s.condensed = false;
    s.titleKerning = 0.4;
    return s;
}

QFont SettingsStyle::font(double pixelSize, QFont::Weight weight) const
{
    QFont f;
    f.setPixelSize(qRound(pixelSize));
    f.setWeight(weight);
    if (condensed)
        f.setStretch(QFont::SemiCondensed);
    return f;
}

QFont SettingsStyle::titleFont() const
{
    QFont f = font(11, QFont::DemiBold);
    f.setCapitalization(QFont::AllUppercase);
    f.setLetterSpacing(QFont::AbsoluteSpacing, titleKerning);
    return f;
}

QString SettingsStyle::styleSheet() const
{
    const QString r = QString::number(qMax(3.0, corner - 4));
    return QStringLiteral(
               "QComboBox { color: %1; background: %2; border: 1px solid %3; border-radius: %4px;"
               " padding: 2px 8px; min-height: 20px; }"
               "QComboBox:focus { border-color: %5; }"
               "QComboBox:disabled { color: %6; }"
               "QComboBox::drop-down { border: none; width: 16px; }"
               "QComboBox QAbstractItemView { color: %1; background: %7; border: 1px solid %3;"
               " selection-background-color: %5; outline: none; }"
               "QPushButton { color: %1; background: %2; border: 1px solid %3; border-radius: %4px;"
               " padding: 3px 10px; }"
               "QPushButton:focus { border-color: %5; }"
               "QPushButton:disabled { color: %6; }"
               "QPushButton[flat=\"true\"] { background: transparent; border: none; padding: 0px; }"
               "QScrollArea, QScrollArea > QWidget > QWidget { background: transparent; }"
               "QScrollBar:vertical { background: transparent; width: 8px; margin: 2px; }"
               "QScrollBar::handle:vertical { background: %3; border-radius: 3px; min-height: "
               "24px; }"
               "QScrollBar::add-line, QScrollBar::sub-line { height: 0px; }"
               "QScrollBar::add-page, QScrollBar::sub-page { background: transparent; }")
        .arg(css(rowLabel), css(chrome), css(cardBorder), r, css(accent), css(hint),
             css(background));
}

} // namespace corvanite
