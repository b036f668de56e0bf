// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/base/LArg.h"

namespace corvanite {

double LArg::toDouble() const
{
    switch (kind()) {
    case Kind::Signed:
        return static_cast<double>(signedValue());
    case Kind::Unsigned:
        return static_cast<double>(unsignedValue());
    case Kind::Floating:
        return floatingValue();
    case Kind::String:
        break;
    }
    return 0.0;
}

} // namespace corvanite
