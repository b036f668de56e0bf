// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/glass/CpuSection.h"

#include "app/analysis/HistoryStore.h"
#include "app/analysis/HistoryWindowState.h"
#include "app/base/L10n.h"
#include "app/panel/HistoryWindowPicker.h"
#include "app/panel/Paint.h"
#include "app/panel/PanelFonts.h"
#include "app/panel/PanelServices.h"
#include "app/panel/Sparkline.h"
#include "app/panel/Theme.h"
#include "app/panel/glass/GlassParts.h"
#include "app/settings/SettingsManager.h"

#include <QPainter>

namespace corvanite {

namespace {
constexpr int kCellRow = 12;
constexpr int kRowGap = 4;
constexpr int kGap = 8;
constexpr int kBottomRow = 16;
} // namespace

CpuSection::CpuSection(const PanelServices& services, QWidget* parent)
    : GlassSection(services, PanelReadings::Part::Cpu, parent)
    , m_picker(new HistoryWindowPicker(*services.historyWindow, Theme::cpu, Theme::tertiaryText,
                                       false, this))
{
    connect(services.historyWindow, &HistoryWindowState::windowChanged, this,
            qOverload<>(&QWidget::update));
    connect(services.settings, &SettingsManager::showCoreStripChanged, this, &CpuSection::relayout);
    m_coreCount = values().cpu.perCore.size();
    relayout();
}

void CpuSection::readingsChanged()
{
    // The grid's height follows the core count, which is known from the second pass on.
    if (values().cpu.perCore.size() != m_coreCount) {
        m_coreCount = values().cpu.perCore.size();
        relayout();
    }
    update();
}

QString CpuSection::moreCoresText() const
{
    const qsizetype count = values().cpu.perCore.size();
    if (count <= kShownCores)
        return {};
    return L(QStringLiteral("glass.cpu.morecores"), {static_cast<int>(count - kShownCores)});
}

int CpuSection::gridHeight() const
{
    if (!services().settings->showCoreStrip())
        return 0;
    const qsizetype shown = std::min<qsizetype>(values().cpu.perCore.size(), kShownCores);
    if (shown == 0)
        return 0;
    const int rows = static_cast<int>((shown + 1) / 2);
    int h = rows * kCellRow + (rows - 1) * kRowGap + kGap;
    if (values().cpu.perCore.size() > kShownCores)
        h += kRowGap + kCellRow;
    return h;
}

int CpuSection::bottomRowY() const
{
    return static_cast<int>(GlassParts::kHeaderRow) + kGap + gridHeight();
}

int CpuSection::contentHeight() const
{
    return bottomRowY() + kBottomRow;
}

void CpuSection::placeChildren()
{
    m_picker->move(qRound(kPadding + contentWidth() - m_picker->width()),
                   kPadding + bottomRowY() + (kBottomRow - m_picker->height()) / 2);
}

void CpuSection::paintContent(QPainter& painter, double width)
{
    const CPUSample& cpu = values().cpu;
    GlassParts::headerRow(painter, QStringLiteral("cpu"), Theme::cpu,
                          L(QStringLiteral("vitals.channel.cpu")),
                          QString::asprintf("%.1f%%", cpu.total));
    const QRectF chart(width - 120, (GlassParts::kHeaderRow - 34) / 2, 120, 34);
    const HistoryWindow window = services().historyWindow->window();
    if (window == HistoryWindow::Live)
        Sparkline::paint(painter, chart, values().cpuHistory, Theme::cpu, 100.0);
    else
        Sparkline::paint(painter, chart, {}, Theme::cpu, 100.0,
                         services().history->slots(services().history->cpu(), window));

    double y = GlassParts::kHeaderRow + kGap;
    if (services().settings->showCoreStrip() && !cpu.perCore.isEmpty()) {
        const qsizetype shown = std::min<qsizetype>(cpu.perCore.size(), kShownCores);
        const qsizetype rows = (shown + 1) / 2;
        const double columnW = (width - 10) / 2;
        for (qsizetype i = 0; i < shown; ++i) {
            const double cx = (i % 2) * (columnW + 10);
            const double cy = y + (i / 2) * (kCellRow + kRowGap);
            GlassParts::meterRow(painter, cx, cy, columnW,
                                 QString::asprintf("%02d", static_cast<int>(i + 1)), 16,
                                 cpu.perCore[i], true);
        }
        y += rows * kCellRow + (rows - 1) * kRowGap;
        const QString more = moreCoresText();
        if (!more.isEmpty()) {
            y += kRowGap;
            Paint::text(painter, QRectF(0, y, width, kCellRow), more, PanelFonts::text(10),
                        Theme::tertiaryText);
            y += kCellRow;
        }
        y += kGap;
    }
    Paint::text(painter, QRectF(0, y, width - m_picker->width() - 8, kBottomRow),
                L(QStringLiteral("glass.cpu.cores"), {static_cast<int>(cpu.perCore.size())}),
                PanelFonts::text(10), Theme::tertiaryText);
}

} // namespace corvanite
