// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/panel/settings/SettingsRow.h"

#include <functional>

namespace corvanite {

class SettingsCheckBox;

// A row with a tick box, for one member of a set (a status-text figure, a panel section).
// `read` gives the value shown; a click hands the wanted value to `write`, and the row then
// shows whatever the store holds, so a refused change leaves the tick as it was.
class SettingsCheckRow : public SettingsRow {
    Q_OBJECT
public:
    SettingsCheckRow(const SettingsStyle& style, const QString& label, bool isFirst,
                     std::function<bool()> read, std::function<void(bool)> write,
                     QWidget* parent = nullptr);

    SettingsCheckBox* box() const { return m_box; }
    // Shows the stored value again.
    void refresh();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    SettingsCheckBox* m_box;
    std::function<bool()> m_read;
    std::function<void(bool)> m_write;
};

} // namespace corvanite
