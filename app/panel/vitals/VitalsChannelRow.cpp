// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/vitals/VitalsChannelRow.h"

#include "app/analysis/HistoryWindowState.h"
#include "app/base/L10n.h"
#include "app/panel/Paint.h"
#include "app/panel/PanelFonts.h"
#include "app/panel/PanelServices.h"
#include "app/panel/VitalsTheme.h"
#include "app/panel/vitals/AlarmPulse.h"
#include "app/panel/vitals/VitalsWaveform.h"
#include "app/settings/SettingsManager.h"

#include <QPaintEvent>
#include <QPainter>

namespace corvanite {

namespace {
constexpr double kWaveTop = 4;
constexpr double kWaveBottom = 5; // clear of the rule under the row
} // namespace

VitalsChannelRow::VitalsChannelRow(VitalsChannels::Kind kind, const PanelServices& services,
                                   VitalsFrameClock& frames, QWidget* parent)
    : QWidget(parent)
    , m_services(services)
    , m_kind(kind)
    , m_pulse(new AlarmPulse(frames, *services.clock, this))
    , m_waveform(new VitalsWaveform(this))
{
    setFixedHeight(kHeight);
    // The row covers its black screen itself, so a pulse repaints this row and nothing behind.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The pulse covers the whole row, trace included, and paints the row's pictures over its
    // tint: a pulse frame is one widget painting three copies.
    m_pulse->raise();
    m_pulse->hide();
    m_pulse->setForeground([this](QPainter& painter, const QRegion& region) {
        paintForeground(painter, region);
        painter.drawPixmap(m_waveform->pos(), m_waveform->picture());
    });
    const PanelReadings::Parts parts = VitalsChannels::parts(kind);
    connect(services.readings, &PanelReadings::changed, this,
            [this, parts](PanelReadings::Parts changed) {
                if (changed & parts)
                    refresh();
            });
    // Thresholds and the unit are read at every build; a change shows at once.
    for (const auto signal :
         {&SettingsManager::cpuAlarmThresholdChanged, &SettingsManager::memAlarmThresholdChanged,
          &SettingsManager::tempAlarmThresholdChanged, &SettingsManager::tempUnitChanged})
        connect(services.settings, signal, this, &VitalsChannelRow::refresh);
    connect(services.historyWindow, &HistoryWindowState::windowChanged, this,
            &VitalsChannelRow::refresh);
    refresh();
}

void VitalsChannelRow::refresh()
{
    m_channel = VitalsChannels::build(m_kind, m_services.readings->values(), m_services);
    m_waveform->setTrace(m_channel.values, m_channel.shownColor(), m_channel.maxValue,
                         m_channel.slots);
    if (m_pulse->isHidden() == m_channel.isAlarm)
        m_pulse->setVisible(m_channel.isAlarm);
    ++m_revision;
    update();
}

void VitalsChannelRow::resizeEvent(QResizeEvent*)
{
    m_pulse->setGeometry(0, 0, width(), kHeight - 1);
    const int x = kSide + kLeft + kGap;
    m_waveform->setGeometry(x, static_cast<int>(kWaveTop), width() - x - kGap - kRight - kSide,
                            static_cast<int>(kHeight - kWaveTop - kWaveBottom));
}

QRectF VitalsChannelRow::badgeRect() const
{
    if (!m_channel.isAlarm)
        return {};
    const QFont font = PanelFonts::condensed(8, QFont::Bold);
    const double w = Paint::textWidth(font, L(QStringLiteral("vitals.high"))) + 8;
    return QRectF(kSide, 38, std::min<double>(w, kLeft), 12);
}

void VitalsChannelRow::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(rect(), VitalsTheme::screen);
    paintForeground(painter, event->region());
}

void VitalsChannelRow::paintForeground(QPainter& painter, const QRegion& region)
{
    Paint::cached(painter, region, m_foreground, QString::number(m_revision), size(),
                  devicePixelRatioF(), [this](QPainter& p) { drawForeground(p); });
}

void VitalsChannelRow::drawForeground(QPainter& painter)
{
    const QColor color = m_channel.shownColor();
    Paint::text(painter, QRectF(kSide, 8, kLeft, 15), m_channel.title,
                PanelFonts::condensed(11, QFont::DemiBold), color);
    Paint::text(painter, QRectF(kSide, 23, kLeft, 11), m_channel.subtitle, PanelFonts::condensed(8),
                VitalsTheme::dimText);
    if (m_channel.isAlarm) {
        const QRectF badge = badgeRect();
        painter.setPen(Qt::NoPen);
        painter.setBrush(VitalsTheme::alarm);
        painter.drawRoundedRect(badge, 2, 2);
        Paint::text(painter, badge, L(QStringLiteral("vitals.high")),
                    PanelFonts::condensed(8, QFont::Bold), Qt::black, Qt::AlignCenter);
    }

    const double right = width() - kSide;
    const double left = right - kRight;
    const QFont readingFont = PanelFonts::condensed(34, QFont::DemiBold);
    const QFont unitFont = PanelFonts::condensed(13, QFont::Medium);
    const QString unit = m_channel.readingUnit.value_or(QString());
    const double unitW = unit.isEmpty() ? 0 : Paint::textWidth(unitFont, unit) + 1;
    const double readingW =
        std::min(Paint::textWidth(readingFont, m_channel.reading) + 2, kRight - unitW);
    // Reading and unit share one baseline, right-aligned in the column.
    const double baseline = 38;
    const double readingX = right - unitW - readingW;
    painter.setFont(readingFont);
    painter.setPen(color);
    const QFontMetricsF rm(readingFont);
    painter.drawText(QPointF(readingX, baseline),
                     rm.elidedText(m_channel.reading, Qt::ElideRight, readingW));
    if (!unit.isEmpty()) {
        painter.setFont(unitFont);
        painter.drawText(QPointF(right - unitW, baseline), unit);
    }
    Paint::text(painter, QRectF(left - 6, 42, kRight + 6, 13), m_channel.detail,
                PanelFonts::condensed(9), VitalsTheme::dimText, Qt::AlignRight | Qt::AlignVCenter);

    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRectF(0, kHeight - 1, width(), 1), VitalsTheme::hairline);
}

} // namespace corvanite
