// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace corvanite {

struct PanelServices;

// Free disk space on the left and uptime on the right, under the last card.
class GlassFooter : public QWidget {
    Q_OBJECT
public:
    explicit GlassFooter(const PanelServices& services, QWidget* parent = nullptr);

    QString diskText() const;
    QString uptimeText() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const PanelServices& m_services;
};

} // namespace corvanite
