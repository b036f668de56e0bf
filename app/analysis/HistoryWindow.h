// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace corvanite {

// The time windows a chart can show, in the order of the window picker. `Live` is the short
// per-tick trace the sampling engine keeps; the others come from the history store.
enum class HistoryWindow { Live, M30, H1, H6, H12, H24 };

QString rawValue(HistoryWindow window);
std::optional<HistoryWindow> historyWindowFromRaw(const QString& raw);
const QList<HistoryWindow>& allHistoryWindows();
// The span the window covers, in seconds.
double seconds(HistoryWindow window);
// How many slots a chart of this window draws.
int slotCount(HistoryWindow window);
QString displayNameKey(HistoryWindow window);
QString displayName(HistoryWindow window);

} // namespace corvanite
