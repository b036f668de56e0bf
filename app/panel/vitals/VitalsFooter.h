// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace corvanite {

struct PanelServices;

// The monitor's bottom bar: the power line when shown, then uptime, process count, free disk
// and the refresh interval.
class VitalsFooter : public QWidget {
    Q_OBJECT
public:
    explicit VitalsFooter(const PanelServices& services, QWidget* parent = nullptr);

    // The pieces of the power line after its label, and of the status line, in order.
    QStringList powerTexts() const;
    QStringList statusTexts() const;
    bool showsPower() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void relayout();

    const PanelServices& m_services;
};

} // namespace corvanite
