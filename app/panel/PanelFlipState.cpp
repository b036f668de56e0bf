// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/PanelFlipState.h"

namespace corvanite {

PanelFlipState::PanelFlipState(QObject* parent)
    : QObject(parent)
{
}

PanelFlipState& PanelFlipState::shared()
{
    static auto* state = new PanelFlipState();
    return *state;
}

void PanelFlipState::setFlipped(bool flipped)
{
    m_flipped = flipped;
    Q_EMIT flippedChanged(true);
}

void PanelFlipState::reset()
{
    m_flipped = false;
    Q_EMIT flippedChanged(false);
}

} // namespace corvanite
