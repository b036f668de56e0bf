// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/FanReading.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

namespace corvanite {

namespace {

const QString kIndex = QStringLiteral("index");
const QString kActual = QStringLiteral("actualRPM");
const QString kTarget = QStringLiteral("targetRPM");
const QString kMin = QStringLiteral("minRPM");
const QString kMax = QStringLiteral("maxRPM");
const QString kForced = QStringLiteral("forced");

// An index is a JSON number without a fraction that fits a signed 64-bit value.
std::optional<qint64> integerOf(const QJsonValue& value)
{
    if (!value.isDouble())
        return std::nullopt;
    const qint64 first = value.toInteger(0);
    if (first != value.toInteger(1))
        return std::nullopt;
    return first;
}

std::optional<double> speedOf(const QJsonValue& value)
{
    if (!value.isDouble())
        return std::nullopt;
    return value.toDouble();
}

std::optional<FanReading> readingOf(const QJsonValue& value)
{
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject object = value.toObject();
    const auto index = integerOf(object.value(kIndex));
    const auto actual = speedOf(object.value(kActual));
    const auto target = speedOf(object.value(kTarget));
    const auto minimum = speedOf(object.value(kMin));
    const auto maximum = speedOf(object.value(kMax));
    const QJsonValue forced = object.value(kForced);
    if (!index || !actual || !target || !minimum || !maximum || !forced.isBool())
        return std::nullopt;
    return FanReading{*index, *actual, *target, *minimum, *maximum, forced.toBool()};
}

} // namespace

QByteArray FanReading::encodeList(const QList<FanReading>& readings)
{
    QJsonArray array;
    for (const FanReading& reading : readings) {
        QJsonObject object;
        object.insert(kIndex, reading.index);
        object.insert(kActual, reading.actualRPM);
        object.insert(kTarget, reading.targetRPM);
        object.insert(kMin, reading.minRPM);
        object.insert(kMax, reading.maxRPM);
        object.insert(kForced, reading.forced);
        array.append(object);
    }
    return QJsonDocument(array).toJson(QJsonDocument::Compact);
}

std::optional<QList<FanReading>> FanReading::decodeList(const QByteArray& json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isArray())
        return std::nullopt;
    QList<FanReading> readings;
    const QJsonArray array = document.array();
    readings.reserve(array.size());
    for (const QJsonValue& value : array) {
        const auto reading = readingOf(value);
        if (!reading)
            return std::nullopt;
        readings.append(*reading);
    }
    return readings;
}

} // namespace corvanite
