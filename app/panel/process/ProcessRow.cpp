// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/process/ProcessRow.h"

#include "app/analysis/PinStore.h"
#include "app/base/Format.h"
#include "app/panel/Paint.h"
#include "app/panel/PanelFonts.h"
#include "app/panel/Theme.h"
#include "app/panel/process/ProcessTexts.h"
#include "app/process/PauseManager.h"

#include <QMouseEvent>
#include <QPainter>

namespace corvanite {

namespace {
constexpr double kGap = 7;
constexpr double kMargin = 7;
} // namespace

ProcessRow::ProcessRow(const PinStore& pins, const PauseManager& pause, quint64 physicalMemory,
                       QWidget* parent)
    : QWidget(parent)
    , m_pins(pins)
    , m_pause(pause)
    , m_physicalMemory(physicalMemory)
{
    setFixedHeight(kHeight);
    setCursor(Qt::PointingHandCursor);
}

void ProcessRow::setRecord(const RankedProcess& record, ProcessSortMode mode, bool expanded)
{
    const bool samePid = record.proc.pid == m_record.proc.pid;
    if (samePid && record == m_record && mode == m_mode && expanded == m_expanded)
        return;
    if (!samePid)
        m_visual.reset();
    m_record = record;
    m_mode = mode;
    m_expanded = expanded;
    update();
}

void ProcessRow::setVisual(std::optional<ProcessVisual> visual)
{
    m_visual = std::move(visual);
    update();
}

QString ProcessRow::shownName() const
{
    if (m_visual && !m_visual->name.isEmpty())
        return m_visual->name;
    return m_record.proc.name;
}

QString ProcessRow::primaryText() const
{
    const ProcessSample& p = m_record.proc;
    switch (m_mode) {
    case ProcessSortMode::Cpu:
        return ProcessTexts::percent(p.cpuPercent);
    case ProcessSortMode::Memory:
        return ProcessTexts::percent(m_physicalMemory == 0
                                         ? 0.0
                                         : static_cast<double>(p.memoryBytes) /
                                               static_cast<double>(m_physicalMemory) * 100.0);
    case ProcessSortMode::Energy:
        return ProcessTexts::power(p.cpuPercent);
    }
    return {};
}

QColor ProcessRow::primaryColor() const
{
    const ProcessSample& p = m_record.proc;
    if (m_mode == ProcessSortMode::Cpu && p.cpuPercent >= 50)
        return Theme::usageColor(p.cpuPercent);
    if (m_mode == ProcessSortMode::Energy && p.cpuPercent >= 8)
        return Theme::energy;
    return Theme::primaryText;
}

QString ProcessRow::secondaryText() const
{
    if (m_mode == ProcessSortMode::Energy)
        return ProcessTexts::energy(static_cast<double>(m_record.proc.memoryBytes));
    return Format::byteString(m_record.proc.memoryBytes);
}

void ProcessRow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF r = rect();
    QColor fill = Theme::rowFill;
    if (m_expanded)
        fill.setAlphaF(fill.alphaF() * 1.4f);
    // Kept pictures: each rounded fill rasterised anew is a tall span fill for Qt's workers.
    Paint::roundedFill(painter, r, 9, fill);

    const double midY = r.height() / 2;
    double x = kMargin;
    Paint::text(painter, QRectF(x, 0, 14, r.height()), QString::number(m_record.rank),
                PanelFonts::mono(10), Theme::faintText, Qt::AlignRight | Qt::AlignVCenter);
    x += 14 + kGap;

    const QRectF iconWell(x, midY - 11, 22, 22);
    Paint::roundedFill(painter, iconWell, 7, Theme::tileFill);
    if (m_visual && m_visual->icon && !m_visual->icon->isNull())
        m_visual->icon->paint(&painter, iconWell.adjusted(3, 3, -3, -3).toRect());
    else
        Paint::symbol(painter, iconWell, QStringLiteral("gearshape.fill"), 13,
                      Theme::secondaryText);
    x += 22 + kGap;

    // The right-hand columns, laid out from the right edge.
    const bool energy = m_mode == ProcessSortMode::Energy;
    const double chevronW = 9;
    const double secondaryW = 52;
    const double primaryW = energy ? 44 : 40;
    double right = r.width() - kMargin;
    Paint::symbol(painter, QRectF(right - chevronW, 0, chevronW, r.height()),
                  m_expanded ? QStringLiteral("chevron.down") : QStringLiteral("chevron.right"), 12,
                  Theme::tertiaryText);
    right -= chevronW + kGap;
    Paint::text(painter, QRectF(right - secondaryW, 0, secondaryW, r.height()), secondaryText(),
                PanelFonts::mono(10), Theme::secondaryText, Qt::AlignRight | Qt::AlignVCenter);
    right -= secondaryW + kGap;
    Paint::text(painter, QRectF(right - primaryW, 0, primaryW, r.height()), primaryText(),
                PanelFonts::mono(10, QFont::Medium), primaryColor(),
                Qt::AlignRight | Qt::AlignVCenter);
    right -= primaryW + kGap;
    const QRectF bar(right - 44, midY - 2.5, 44, 5);
    const QPointF from = bar.topLeft();
    const QPointF to = bar.topRight();
    QBrush barFill;
    switch (m_mode) {
    case ProcessSortMode::Cpu:
        barFill = Theme::usageGradient(m_record.proc.cpuPercent, from, to);
        break;
    case ProcessSortMode::Memory:
        barFill = Theme::toneGradient(Theme::memory, from, to);
        break;
    case ProcessSortMode::Energy:
        barFill = Theme::toneGradient(Theme::energy, from, to);
        break;
    }
    Paint::capsuleBar(painter, bar, m_record.barFraction, barFill, Theme::trackFill);
    right = bar.left() - kGap;

    // Marks after the name, then the name in what is left.
    const bool pinned = m_pins.isPinned(m_record.proc.name);
    const bool paused = m_pause.entry(m_record.proc.pid).has_value();
    double marks = 0;
    if (pinned)
        marks += 10 + 4;
    if (paused)
        marks += 12 + 4;
    const QFont nameFont = PanelFonts::text(12, QFont::Medium);
    const QString name = shownName();
    const double nameW = std::min(Paint::textWidth(nameFont, name) + 1, right - x - marks);
    Paint::text(painter, QRectF(x, 0, nameW, r.height()), name, nameFont, Theme::primaryText,
                Qt::AlignLeft | Qt::AlignVCenter, Qt::ElideMiddle);
    x += nameW + 4;
    if (pinned) {
        Paint::symbol(painter, QRectF(x, 0, 10, r.height()), QStringLiteral("pin.fill"), 10,
                      Theme::tertiaryText);
        x += 14;
    }
    if (paused)
        Paint::symbol(painter, QRectF(x, 0, 12, r.height()), QStringLiteral("pause.circle.fill"),
                      12, Theme::energy);
}

void ProcessRow::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT toggled(m_record.proc.pid, m_record.proc.name);
}

} // namespace corvanite
