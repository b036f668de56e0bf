// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/panel/process/ProcessViewStyle.h"

#include <QWidget>

namespace corvanite {

class PauseManager;

// One line per paused application group with a resume button; takes no space while nothing
// is paused.
class PausedBanner : public QWidget {
    Q_OBJECT
public:
    PausedBanner(PauseManager& pause, ProcessViewStyle style, QWidget* parent = nullptr);

    int lineCount() const;

Q_SIGNALS:
    void heightChanged();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void rebuild();

    PauseManager& m_pause;
    ProcessViewStyle m_style;
    QList<QWidget*> m_buttons;
};

} // namespace corvanite
