// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/analysis/HistoryWindowState.h"

namespace corvanite {

HistoryWindowState::HistoryWindowState(QObject* parent)
    : QObject(parent)
{
}

HistoryWindowState& HistoryWindowState::shared()
{
    static HistoryWindowState state;
    return state;
}

void HistoryWindowState::setWindow(HistoryWindow window)
{
    m_window = window;
    Q_EMIT windowChanged();
}

} // namespace corvanite
