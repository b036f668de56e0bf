// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/process/ProcessListBuilder.h"
#include "app/process/ProcessSortMode.h"
#include "app/sampling/ProcessVisualCache.h"

#include <QWidget>

#include <optional>

namespace corvanite {

class PauseManager;
class PinStore;

// One line of the process list: rank, icon, name, pin and paused marks, a bar and the values of
// the sort mode, and a chevron. A click anywhere toggles the row's detail.
class ProcessRow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 30;

    ProcessRow(const PinStore& pins, const PauseManager& pause, quint64 physicalMemory,
               QWidget* parent = nullptr);

    // Repaints only when something the row shows differs.
    void setRecord(const RankedProcess& record, ProcessSortMode mode, bool expanded);
    void setVisual(std::optional<ProcessVisual> visual);
    const RankedProcess& record() const { return m_record; }
    bool isExpanded() const { return m_expanded; }

    // The texts of the two value columns, for checks.
    QString primaryText() const;
    QColor primaryColor() const;
    QString secondaryText() const;
    QString shownName() const;

Q_SIGNALS:
    void toggled(qint32 pid, const QString& name);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    const PinStore& m_pins;
    const PauseManager& m_pause;
    quint64 m_physicalMemory;
    RankedProcess m_record;
    ProcessSortMode m_mode = ProcessSortMode::Cpu;
    bool m_expanded = false;
    std::optional<ProcessVisual> m_visual;
};

} // namespace corvanite
