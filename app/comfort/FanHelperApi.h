// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/comfort/HelperRegistration.h"
#include "shared/FanReading.h"

#include <QList>

#include <functional>

namespace corvanite {

// What comfort cooling asks of the fan helper. Replies come on the main thread, later or (when
// no connection can be made) at once; a call lost in transport never gets one.
class FanHelperApi {
public:
    virtual ~FanHelperApi() = default;

    virtual FanHelperState state() const = 0;
    virtual void refreshState() = 0;
    virtual bool registerHelper() = 0;

    virtual void readFans(std::function<void(QList<FanReading>)> reply) = 0;
    virtual void setFanFloor(qint64 rpm, std::function<void(bool)> reply) = 0;
    virtual void releaseControl(std::function<void(bool)> reply) = 0;
};

} // namespace corvanite
