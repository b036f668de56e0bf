// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/analysis/Insight.h"

namespace corvanite {

QString Insight::id() const
{
    return QString::number(static_cast<int>(kind)) + QLatin1Char('.') + QString::number(pid);
}

QString name(Insight::Kind kind)
{
    switch (kind) {
    case Insight::Kind::PressureCulprit:
        break;
    case Insight::Kind::Leak:
        return QStringLiteral("leak");
    case Insight::Kind::SleepBlocker:
        return QStringLiteral("sleepBlocker");
    case Insight::Kind::IdleHog:
        return QStringLiteral("idleHog");
    }
    return QStringLiteral("pressureCulprit");
}

} // namespace corvanite
