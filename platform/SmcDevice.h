// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shared/SMCParamStruct.h"

#include <optional>

namespace corvanite {

// A system management controller that answers parameter records. A call either succeeds with an
// answer record or fails; a failed call says nothing about the key, only about the exchange.
// Implementations are not thread-safe unless they say so: callers serialise their calls.
class SmcDevice {
public:
    virtual ~SmcDevice() = default;

    // Makes the device ready for calls; true when it is (or already was). Opening again after a
    // failed call is how a caller recovers from a device that went away.
    virtual bool open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // One exchange: the answer record, or nothing when the call failed or the device is closed.
    virtual std::optional<SMCParamStruct> call(const SMCParamStruct& input) = 0;
};

} // namespace corvanite
