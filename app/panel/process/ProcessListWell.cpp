// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/process/ProcessListWell.h"

#include "app/analysis/PinStore.h"
#include "app/base/L10n.h"
#include "app/panel/Paint.h"
#include "app/panel/PanelFonts.h"
#include "app/panel/PanelServices.h"
#include "app/panel/Theme.h"
#include "app/panel/process/ProcessDetailView.h"
#include "app/panel/process/ProcessRow.h"
#include "app/process/PauseManager.h"
#include "app/process/ProcessListBuilder.h"
#include "app/process/ProcessTerminator.h"
#include "app/settings/SettingsManager.h"

#include <QPainter>
#include <QVariantAnimation>

#include <cmath>

namespace corvanite {

ProcessListWell::ProcessListWell(const PanelServices& services, const QColor& emptyTextColor,
                                 QWidget* parent)
    : QWidget(parent)
    , m_services(services)
    , m_emptyTextColor(emptyTextColor)
    , m_spring(0.22, 0.85)
    , m_opening(new QVariantAnimation(this))
{
    // The animation only clocks the spring; it runs while the detail grows or shrinks and
    // stops with it.
    m_opening->setStartValue(0.0);
    m_opening->setEndValue(1.0);
    m_opening->setDuration(m_spring.settleMs());
    connect(m_opening, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        m_open = m_openFrom + (m_openTo - m_openFrom) * m_spring.at(value.toDouble());
        relayout();
    });
    connect(m_opening, &QVariantAnimation::finished, this, [this] {
        m_open = m_openTo;
        if (m_openTo <= 0)
            dropClosingView();
        relayout();
    });
    // Pin and pause marks show at once, without waiting for the next scan.
    connect(services.pins, &PinStore::namesChanged, this, [this] { refresh(); });
    connect(services.pause, &PauseManager::pausedChanged, this, [this] { refresh(); });
    connect(services.settings, &SettingsManager::processRowCountChanged, this,
            [this] { refresh(); });
    refresh();
}

QList<ProcessRow*> ProcessListWell::rows() const
{
    return m_rows.mid(0, m_shown);
}

void ProcessListWell::setSortMode(ProcessSortMode mode)
{
    m_sortMode = mode;
    refresh();
}

void ProcessListWell::setSearchText(const QString& text)
{
    m_search = text;
    refresh();
}

int ProcessListWell::wellHeight() const
{
    const int rowsHeight = m_services.settings->processRowCount() * kRowPitch;
    const ProcessDetailView* detail = shownDetail();
    if (!detail)
        return rowsHeight;
    // A pinned trend makes the detail taller than the usual allowance; the well then grows
    // with it instead of cutting the actions off.
    const int room = std::max(kDetailAllowance, detail->contentHeight() + 3);
    return rowsHeight + static_cast<int>(std::lround(std::max(0.0, m_open) * room));
}

void ProcessListWell::animateOpening(double target)
{
    m_opening->stop();
    m_openFrom = m_open;
    m_openTo = target;
    if (std::abs(m_openTo - m_openFrom) < 1e-3 || !isVisible()) {
        // Nothing to watch move: a hidden list takes its end state at once.
        m_open = target;
        if (target <= 0)
            dropClosingView();
        return;
    }
    m_opening->start();
}

void ProcessListWell::dropClosingView()
{
    delete m_closingView;
    m_closingView = nullptr;
    m_closingPid.reset();
}

void ProcessListWell::refresh()
{
    const PanelReadings::Values& v = m_services.readings->values();
    const QList<ProcessSample> built =
        ProcessListBuilder::build(v.processes, v.energyRows, m_sortMode, m_search,
                                  ProcessListBuilder::lookups(*m_services.pause, *m_services.pins));
    const QList<RankedProcess> ranked =
        ProcessListBuilder::rows(built, m_services.settings->processRowCount(), m_sortMode);
    while (m_rows.size() < ranked.size()) {
        auto* row =
            new ProcessRow(*m_services.pins, *m_services.pause, m_services.physicalMemory, this);
        connect(row, &ProcessRow::toggled, this, &ProcessListWell::toggle);
        m_rows.append(row);
    }
    // An application installed or removed since the rows were named: name every row again.
    const quint64 generation = m_services.visuals ? m_services.visuals->generation() : 0;
    const bool applicationsChanged = generation != m_visualGeneration;
    m_visualGeneration = generation;
    for (qsizetype i = 0; i < m_rows.size(); ++i) {
        ProcessRow* row = m_rows[i];
        if (i >= ranked.size()) {
            row->hide();
            continue;
        }
        const qint32 oldPid = row->record().proc.pid;
        row->setRecord(ranked[i], m_sortMode, m_expandedPid == ranked[i].proc.pid);
        if (m_services.visuals &&
            (oldPid != ranked[i].proc.pid || !row->isVisible() || applicationsChanged))
            row->setVisual(m_services.visuals->lookup(ranked[i].proc.pid, ranked[i].proc.name));
        row->update(); // pin and pause marks are not part of the record
        row->show();
    }
    m_shown = static_cast<int>(ranked.size());
    relayout();
}

void ProcessListWell::toggle(qint32 pid, const QString& name)
{
    if (m_expandedPid == pid) {
        collapse();
        return;
    }
    // Another row: its detail takes the room the open one had; from nothing it grows.
    delete m_detailView;
    m_detailView = nullptr;
    dropClosingView();
    m_expandedPid = pid;
    m_detail = m_services.readDetail ? m_services.readDetail(pid, name) : std::nullopt;
    showDetail();
    refresh();
}

void ProcessListWell::restoreExpansion(qint32 pid, const std::optional<ProcessDetail>& detail)
{
    delete m_detailView;
    m_detailView = nullptr;
    m_expandedPid = pid;
    m_detail = detail;
    showDetail();
    refresh();
}

void ProcessListWell::showDetail()
{
    if (m_detail) {
        const bool canKill = m_services.terminator->isKillable(m_detail->pid, m_detail->name);
        m_detailView =
            new ProcessDetailView(*m_detail, canKill, *m_services.pins, *m_services.pause,
                                  *m_services.clock, m_services.revealFile, this);
        connect(m_detailView, &ProcessDetailView::terminateRequested, this,
                &ProcessListWell::terminateRequested);
        connect(m_detailView, &ProcessDetailView::pauseRequested, this,
                &ProcessListWell::pauseRequested);
        connect(m_services.pins, &PinStore::changed, this, &ProcessListWell::relayout,
                Qt::UniqueConnection);
        m_detailView->show();
        animateOpening(1);
    } else {
        animateOpening(0);
    }
}

void ProcessListWell::collapse()
{
    // The state is gone at once; only the drawing shrinks the detail away under its row.
    if (m_detailView) {
        dropClosingView();
        m_closingView = m_detailView;
        m_closingPid = m_expandedPid;
        m_closingView->setEnabled(false);
        m_detailView = nullptr;
    }
    m_expandedPid.reset();
    m_detail.reset();
    animateOpening(0);
    refresh();
}

void ProcessListWell::resizeEvent(QResizeEvent*)
{
    relayout();
}

void ProcessListWell::relayout()
{
    const int w = width();
    ProcessDetailView* detail = shownDetail();
    const std::optional<qint32> detailPid = shownPid();
    const double open = std::max(0.0, m_open);
    int y = 0;
    bool placed = false;
    for (int i = 0; i < m_shown; ++i) {
        ProcessRow* row = m_rows[i];
        row->setGeometry(0, y, w, ProcessRow::kHeight);
        y += kRowPitch;
        if (detail && detailPid == row->record().proc.pid) {
            // The detail is cut at the bottom while it grows, so it unrolls under its row.
            const int full = detail->contentHeight();
            const int h = static_cast<int>(std::lround(open * full));
            detail->setGeometry(0, y, w, h);
            y += static_cast<int>(std::lround(open * (full + 3)));
            placed = true;
        }
    }
    if (detail)
        detail->setVisible(placed); // hidden while its row is out of the list
    const int h = wellHeight();
    if (height() != h) {
        setFixedHeight(h);
        Q_EMIT heightChanged();
    }
    update();
}

void ProcessListWell::paintEvent(QPaintEvent*)
{
    if (m_shown > 0)
        return;
    QPainter painter(this);
    Paint::text(painter, QRectF(rect()), L(QStringLiteral("proc.collecting")), PanelFonts::text(11),
                m_emptyTextColor, Qt::AlignCenter);
}

} // namespace corvanite
