// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/process/PausedGroup.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <limits>

namespace corvanite {

namespace {

// An integral JSON number within [low, high]; JSON numbers are doubles, so anything past 2^53
// is refused rather than rounded.
std::optional<double> integral(const QJsonValue& value, double low, double high)
{
    if (!value.isDouble())
        return std::nullopt;
    const double v = value.toDouble();
    if (!std::isfinite(v) || std::trunc(v) != v || v < low || v > high)
        return std::nullopt;
    return v;
}

} // namespace

QByteArray PausedGroup::encode(const QList<PausedGroup>& groups)
{
    QJsonArray array;
    for (const PausedGroup& g : groups) {
        QJsonObject o{{QStringLiteral("pgid"), g.pgid},
                      {QStringLiteral("leadPid"), g.leadPid},
                      {QStringLiteral("name"), g.name},
                      {QStringLiteral("leadStart"), static_cast<qint64>(g.leadStart)},
                      {QStringLiteral("at"), g.at}};
        if (!g.bootId.isEmpty())
            o.insert(QStringLiteral("bootId"), g.bootId);
        if (g.leadStartTicks)
            o.insert(QStringLiteral("leadStartTicks"), static_cast<qint64>(*g.leadStartTicks));
        array.append(o);
    }
    return QJsonDocument(array).toJson(QJsonDocument::Compact);
}

std::optional<QList<PausedGroup>> PausedGroup::decode(const QByteArray& json)
{
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !doc.isArray())
        return std::nullopt;
    constexpr double kMaxPid = std::numeric_limits<qint32>::max();
    constexpr double kMaxExact = 9007199254740992.0; // 2^53
    QList<PausedGroup> groups;
    for (const QJsonValue& item : doc.array()) {
        if (!item.isObject())
            return std::nullopt;
        const QJsonObject o = item.toObject();
        const auto pgid = integral(o.value(QStringLiteral("pgid")), -kMaxPid - 1, kMaxPid);
        const auto lead = integral(o.value(QStringLiteral("leadPid")), -kMaxPid - 1, kMaxPid);
        const auto start = integral(o.value(QStringLiteral("leadStart")), 0, kMaxExact);
        const QJsonValue name = o.value(QStringLiteral("name"));
        const QJsonValue at = o.value(QStringLiteral("at"));
        if (!pgid || !lead || !start || !name.isString() || !at.isDouble() ||
            !std::isfinite(at.toDouble()))
            return std::nullopt;
        PausedGroup g{static_cast<qint32>(*pgid),
                      static_cast<qint32>(*lead),
                      name.toString(),
                      static_cast<quint64>(*start),
                      at.toDouble(),
                      {},
                      std::nullopt};
        const QJsonValue boot = o.value(QStringLiteral("bootId"));
        const auto ticks = integral(o.value(QStringLiteral("leadStartTicks")), 0, kMaxExact);
        // The two belong together: one without the other cannot tell processes apart.
        if (boot.isString() && !boot.toString().isEmpty() && ticks) {
            g.bootId = boot.toString();
            g.leadStartTicks = static_cast<quint64>(*ticks);
        }
        groups.append(g);
    }
    return groups;
}

} // namespace corvanite
