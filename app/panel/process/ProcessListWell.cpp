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

namespace corvanite {

ProcessListWell::ProcessListWell(const PanelServices& services, const QColor& emptyTextColor,
                                 QWidget* parent)
    : QWidget(parent)
    , m_services(services)
    , m_emptyTextColor(emptyTextColor)
{
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
    if (!m_detailView)
        return rowsHeight;
    // A pinned trend makes the detail taller than the usual allowance; the well then grows
    // with it instead of cutting the actions off.
    return rowsHeight + std::max(kDetailAllowance, m_detailView->contentHeight() + 3);
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
    for (qsizetype i = 0; i < m_rows.size(); ++i) {
        ProcessRow* row = m_rows[i];
        if (i >= ranked.size()) {
            row->hide();
            continue;
        }
        const qint32 oldPid = row->record().proc.pid;
        row->setRecord(ranked[i], m_sortMode, m_expandedPid == ranked[i].proc.pid);
        if (m_services.visuals && (oldPid != ranked[i].proc.pid || !row->isVisible()))
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
    delete m_detailView;
    m_detailView = nullptr;
    m_expandedPid = pid;
    m_detail = m_services.readDetail ? m_services.readDetail(pid, name) : std::nullopt;
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
    }
    refresh();
}

void ProcessListWell::collapse()
{
    m_expandedPid.reset();
    m_detail.reset();
    delete m_detailView;
    m_detailView = nullptr;
    refresh();
}

void ProcessListWell::resizeEvent(QResizeEvent*)
{
    relayout();
}

void ProcessListWell::relayout()
{
    const int w = width();
    int y = 0;
    for (int i = 0; i < m_shown; ++i) {
        ProcessRow* row = m_rows[i];
        row->setGeometry(0, y, w, ProcessRow::kHeight);
        y += kRowPitch;
        if (m_detailView && m_expandedPid == row->record().proc.pid) {
            const int h = m_detailView->contentHeight();
            m_detailView->setGeometry(0, y, w, h);
            y += h + 3;
        }
    }
    if (m_detailView && !m_detailView->geometry().intersects(QRect(0, 0, w, y)))
        m_detailView->hide(); // its row left the list
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
