// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/panel/Paint.h"
#include "app/panel/PanelReadings.h"

#include <QWidget>

namespace corvanite {

struct PanelServices;

// One card of the glass panel. It repaints only when a tick changed the readings it shows and
// sizes itself to its content, which the panel's column follows.
class GlassSection : public QWidget {
    Q_OBJECT
public:
    static constexpr int kPadding = 10;

    GlassSection(const PanelServices& services, PanelReadings::Parts parts,
                 QWidget* parent = nullptr);

    // Recomputes the height (after a setting, a language change or a new row count).
    void relayout();

Q_SIGNALS:
    void heightChanged();

protected:
    // The height of what is inside the padding, at the current width.
    virtual int contentHeight() const = 0;
    // Draws inside the padding; the painter's origin is the content's top-left corner.
    virtual void paintContent(QPainter& painter, double width) = 0;
    // Places child widgets, in content coordinates offset by the padding.
    virtual void placeChildren() {}
    // A reading this card shows changed: the height follows when the content needs it.
    virtual void readingsChanged();

    double contentWidth() const { return width() - 2.0 * kPadding; }
    const PanelServices& services() const { return m_services; }
    const PanelReadings::Values& values() const;

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    const PanelServices& m_services;
    PanelReadings::Parts m_parts;
    Paint::Layer m_card;
};

} // namespace corvanite
