// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/menubar/StatusItem.h"
#include "app/menubar/StatusItemFactory.h"

#include <QObject>

#include <memory>

namespace corvanite {

// The desktop's place for status items as it is now: which kind of item it can show, and a
// signal when that may have changed (a tray started or gone during the session).
class StatusArea : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual StatusItemKind kind() const = 0;
    virtual std::unique_ptr<StatusItem> makeItem(StatusItemKind kind) = 0;

Q_SIGNALS:
    void changed();
};

} // namespace corvanite
