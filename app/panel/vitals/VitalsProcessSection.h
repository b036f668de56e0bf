// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace corvanite {

class ProcessSectionControls;
struct PanelServices;

// The monitor's process list: a title over a rule, the labelled sort picker and search button,
// the search field and the ranked rows.
class VitalsProcessSection : public QWidget {
    Q_OBJECT
public:
    explicit VitalsProcessSection(const PanelServices& services, QWidget* parent = nullptr);

    ProcessSectionControls& controls() const { return *m_controls; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void relayout();

    ProcessSectionControls* m_controls;
};

} // namespace corvanite
