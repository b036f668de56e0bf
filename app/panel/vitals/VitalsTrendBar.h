// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace corvanite {

class HistoryWindowPicker;
class HistoryWindowState;

// The line above the channels: the trend label and the shared history-window picker.
class VitalsTrendBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 26;

    explicit VitalsTrendBar(HistoryWindowState& state, QWidget* parent = nullptr);

    HistoryWindowPicker* picker() const { return m_picker; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    HistoryWindowPicker* m_picker;
};

} // namespace corvanite
