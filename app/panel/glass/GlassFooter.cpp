// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/glass/GlassFooter.h"

#include "app/base/Format.h"
#include "app/base/L10n.h"
#include "app/panel/Paint.h"
#include "app/panel/PanelFonts.h"
#include "app/panel/PanelReadings.h"
#include "app/panel/PanelServices.h"
#include "app/panel/Theme.h"

#include <QPainter>

namespace corvanite {

GlassFooter::GlassFooter(const PanelServices& services, QWidget* parent)
    : QWidget(parent)
    , m_services(services)
{
    setFixedHeight(18);
    connect(services.readings, &PanelReadings::changed, this, [this](PanelReadings::Parts parts) {
        if (parts & PanelReadings::Part::Footer)
            update();
    });
}

QString GlassFooter::diskText() const
{
    const auto& v = m_services.readings->values();
    return L(QStringLiteral("glass.disk.free"),
             {Format::byteString(v.diskFreeBytes), Format::byteString(v.diskTotalBytes)});
}

QString GlassFooter::uptimeText() const
{
    return L(QStringLiteral("glass.uptime"),
             {Format::uptime(m_services.readings->values().uptime)});
}

void GlassFooter::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFont font = PanelFonts::text(10);
    const double h = height();
    const QString uptime = uptimeText();
    const double uptimeW = Paint::textWidth(font, uptime) + 1;
    const double uptimeX = width() - 4 - uptimeW;
    Paint::symbol(painter, QRectF(4, 0, 12, h), QStringLiteral("internaldrive"), 12,
                  Theme::tertiaryText);
    Paint::text(painter, QRectF(22, 0, uptimeX - 12 - 12 - 22, h), diskText(), font,
                Theme::tertiaryText);
    Paint::symbol(painter, QRectF(uptimeX - 18, 0, 12, h), QStringLiteral("timer"), 12,
                  Theme::tertiaryText);
    Paint::text(painter, QRectF(uptimeX, 0, uptimeW, h), uptime, font, Theme::tertiaryText);
}

} // namespace corvanite
