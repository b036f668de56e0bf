// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/panel/PanelReadings.h"
#include "app/panel/SpringMotion.h"
#include "app/process/ProcessSortMode.h"
#include "app/sampling/ProcessDetail.h"

#include <QWidget>

#include <optional>

class QVariantAnimation;

namespace corvanite {

class ProcessDetailView;
class ProcessRow;
struct PanelServices;

// The process list of both skins: the ranked rows in a well of fixed height and, under the row
// the user expanded, that process's detail read once at expansion.
class ProcessListWell : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRowPitch = 33; // a 30-point row and 3 points to the next
    static constexpr int kDetailAllowance = 180;

    ProcessListWell(const PanelServices& services, const QColor& emptyTextColor,
                    QWidget* parent = nullptr);

    void setSortMode(ProcessSortMode mode);
    ProcessSortMode sortMode() const { return m_sortMode; }
    void setSearchText(const QString& text);
    // Rebuilds the rows from the current readings.
    void refresh();
    // The panel's expand toggle: another or no row expanded reads this process's detail; the
    // same row collapses.
    void toggle(qint32 pid, const QString& name);
    void collapse();
    // Expands `pid` with a detail already read, when a rebuilt panel takes over the expansion.
    void restoreExpansion(qint32 pid, const std::optional<ProcessDetail>& detail);

    std::optional<qint32> expandedPid() const { return m_expandedPid; }
    const std::optional<ProcessDetail>& detail() const { return m_detail; }
    ProcessDetailView* detailView() const { return m_detailView; }
    QList<ProcessRow*> rows() const;

Q_SIGNALS:
    void terminateRequested(qint32 pid, const QString& name, quint64 startTicks);
    void pauseRequested(qint32 pid, const QString& name, quint64 startTicks);
    void heightChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void relayout();
    void showDetail();
    int wellHeight() const;
    // Grows (towards 1) or shrinks (towards 0) the room under the expanded row.
    void animateOpening(double target);
    void dropClosingView();
    // The detail view being drawn: the open one, or the one still shrinking after a collapse.
    ProcessDetailView* shownDetail() const { return m_detailView ? m_detailView : m_closingView; }
    std::optional<qint32> shownPid() const { return m_detailView ? m_expandedPid : m_closingPid; }

    const PanelServices& m_services;
    QColor m_emptyTextColor;
    ProcessSortMode m_sortMode = ProcessSortMode::Cpu;
    QString m_search;
    QList<ProcessRow*> m_rows;
    quint64 m_visualGeneration = 0; // of the installed applications the rows' visuals came from
    int m_shown = 0;
    std::optional<qint32> m_expandedPid;
    std::optional<ProcessDetail> m_detail;
    ProcessDetailView* m_detailView = nullptr;
    ProcessDetailView* m_closingView = nullptr;
    std::optional<qint32> m_closingPid;
    SpringMotion m_spring;
    QVariantAnimation* m_opening;
    double m_openFrom = 0;
    double m_openTo = 0;
    double m_open = 0; // share of the detail's height shown, on the spring
};

} // namespace corvanite
