// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/PanelFonts.h"

#include <QStringList>

namespace corvanite::PanelFonts {

namespace {

QFont make(const QStringList& families, double pixelSize, QFont::Weight weight)
{
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(std::max(1, qRound(pixelSize)));
    font.setWeight(weight);
    font.setStyleStrategy(QFont::PreferAntialias);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

} // namespace

QFont text(double pixelSize, QFont::Weight weight)
{
    // CJK and Thai texts fall back to the families after the Latin one.
    static const QStringList families{QStringLiteral("DejaVu Sans"),
                                      QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Loma"),
                                      QStringLiteral("sans-serif")};
    return make(families, pixelSize, weight);
}

QFont condensed(double pixelSize, QFont::Weight weight)
{
    static const QStringList families{
        QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans"),
        QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Loma"), QStringLiteral("sans-serif")};
    QFont font = make(families, pixelSize, weight);
    font.setStretch(QFont::SemiCondensed);
    return font;
}

QFont digits(double pixelSize, QFont::Weight weight)
{
    // DejaVu's figures are already of one width.
    return text(pixelSize, weight);
}

QFont mono(double pixelSize, QFont::Weight weight)
{
    static const QStringList families{QStringLiteral("DejaVu Sans Mono"),
                                      QStringLiteral("monospace")};
    QFont font = make(families, pixelSize, weight);
    font.setStyleHint(QFont::Monospace);
    return font;
}

} // namespace corvanite::PanelFonts
