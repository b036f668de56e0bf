// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPointer>
#include <QString>

#include <functional>

class QMessageBox;
class QWidget;

namespace corvanite {

// A confirmation with a visible title, a message and its buttons, shown over the panel without
// blocking the event loop. While it is up the panel is held open, so clicking into the dialog
// does not close the panel behind it.
class ConfirmationDialog {
public:
    struct Choice {
        QString label;
        bool destructive = false;
        bool cancel = false;
        std::function<void()> action;
    };

    // `hold` is told true before the dialog shows and false once it is gone.
    static QMessageBox* open(QWidget* over, const QString& title, const QString& message,
                             const QList<Choice>& choices, const std::function<void(bool)>& hold);
};

} // namespace corvanite
