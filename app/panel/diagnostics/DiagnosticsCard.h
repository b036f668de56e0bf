// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/analysis/Insight.h"
#include "app/panel/process/ProcessViewStyle.h"
#include "app/process/TerminationFlow.h"

#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include <QMessageBox>

class QVariantAnimation;

namespace corvanite {

class InsightEngine;
class SymbolButton;
struct PanelServices;

// The insight engine's current findings near the top of the panel, one tinted line each, with a
// terminate button where the process may be ended. Takes no space while there are none.
class DiagnosticsCard : public QWidget {
    Q_OBJECT
public:
    struct Look {
        QString symbol;
        QColor tint;
    };
    static Look look(Insight::Kind kind, PanelSkin skin);

    DiagnosticsCard(const PanelServices& services, ProcessViewStyle style,
                    QWidget* parent = nullptr);

    // The terminate button's action for the finding at `index`.
    void terminate(int index);
    QList<bool> terminateButtons() const;
    QMessageBox* dialog() const { return m_dialog; }
    const std::optional<TerminationFlow::Pending>& pending() const { return m_flow.pending(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Line {
        Insight insight;
        double height = 0;
        SymbolButton* button = nullptr;
    };
    void rebuild();
    void layoutLines();
    double messageWidth() const;
    // Slides the card in from its top edge while fading it in (target 1), or out (target 0),
    // drawing a picture of the lines taken before the change.
    void transition(double from, double target);
    void finishTransition();
    void takeShot();
    bool inTransition() const { return !m_shot.isNull(); }

    const PanelServices& m_services;
    ProcessViewStyle m_style;
    FindingTerminationFlow m_flow;
    QList<Line> m_lines;
    QPointer<QMessageBox> m_dialog;
    QVariantAnimation* m_transition;
    QPixmap m_shot;
    double m_shotHeight = 0;
    double m_shown = 1; // 0 gone, 1 fully in place
    bool m_built = false;
};

} // namespace corvanite
