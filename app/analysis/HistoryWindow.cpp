// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/analysis/HistoryWindow.h"

#include "app/base/L10n.h"

namespace corvanite {

QString rawValue(HistoryWindow window)
{
    switch (window) {
    case HistoryWindow::Live:
        break;
    case HistoryWindow::M30:
        return QStringLiteral("m30");
    case HistoryWindow::H1:
        return QStringLiteral("h1");
    case HistoryWindow::H6:
        return QStringLiteral("h6");
    case HistoryWindow::H12:
        return QStringLiteral("h12");
    case HistoryWindow::H24:
        return QStringLiteral("h24");
    }
    return QStringLiteral("live");
}

std::optional<HistoryWindow> historyWindowFromRaw(const QString& raw)
{
    for (HistoryWindow window : allHistoryWindows()) {
        if (rawValue(window) == raw)
            return window;
    }
    return std::nullopt;
}

const QList<HistoryWindow>& allHistoryWindows()
{
    static const QList<HistoryWindow> all{HistoryWindow::Live, HistoryWindow::M30,
                                          HistoryWindow::H1,   HistoryWindow::H6,
                                          HistoryWindow::H12,  HistoryWindow::H24};
    return all;
}

double seconds(HistoryWindow window)
{
    switch (window) {
    case HistoryWindow::M30:
        return 1800;
    case HistoryWindow::H6:
        return 21600;
    case HistoryWindow::H12:
        return 43200;
    case HistoryWindow::H24:
        return 86400;
    case HistoryWindow::Live:
    case HistoryWindow::H1:
        break;
    }
    return 3600;
}

int slotCount(HistoryWindow window)
{
    return window == HistoryWindow::M30 ? 60 : 120;
}

QString displayNameKey(HistoryWindow window)
{
    return QStringLiteral("history.window.") + rawValue(window);
}

QString displayName(HistoryWindow window)
{
    return L(displayNameKey(window));
}

} // namespace corvanite
