// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/analysis/HistoryWindow.h"

#include <QObject>

namespace corvanite {

// The window the user picked for the charts, shared by every chart of both skins. Starts at
// `Live` at every launch; not stored.
class HistoryWindowState : public QObject {
    Q_OBJECT
    Q_PROPERTY(corvanite::HistoryWindow window READ window WRITE setWindow NOTIFY windowChanged)

public:
    explicit HistoryWindowState(QObject* parent = nullptr);

    static HistoryWindowState& shared();

    HistoryWindow window() const { return m_window; }
    // Announces every assignment, also of the current value.
    void setWindow(HistoryWindow window);

Q_SIGNALS:
    void windowChanged();

private:
    HistoryWindow m_window = HistoryWindow::Live;
};

} // namespace corvanite
