// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "helper/SimulatedSmcFile.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace corvanite {

SimulatedSmcFile::SimulatedSmcFile(QString path)
    : m_path(std::move(path))
{
    load();
}

void SimulatedSmcFile::load()
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
    const QJsonObject floats = root.value(QStringLiteral("floats")).toObject();
    for (auto it = floats.begin(); it != floats.end(); ++it) {
        m_smc.setFloat(it.key(), static_cast<float>(it.value().toDouble()));
        m_floatKeys << it.key();
    }
    const QJsonObject bytes = root.value(QStringLiteral("bytes")).toObject();
    for (auto it = bytes.begin(); it != bytes.end(); ++it) {
        m_smc.setUInt8(it.key(), static_cast<std::uint8_t>(it.value().toInt()));
        m_byteKeys << it.key();
    }
    for (const QJsonValue& key : root.value(QStringLiteral("failing")).toArray()) {
        m_smc.setKeyFails(key.toString(), true);
        m_failing << key.toString();
    }
}

void SimulatedSmcFile::save() const
{
    QJsonObject floats;
    for (const QString& key : m_floatKeys)
        if (const auto value = m_smc.floatValue(key))
            floats.insert(key, static_cast<double>(*value));
    QJsonObject bytes;
    for (const QString& key : m_byteKeys)
        if (const auto value = m_smc.uint8Value(key))
            bytes.insert(key, static_cast<int>(*value));
    QJsonArray writes;
    for (const SimulatedSmc::Write& write : m_smc.writes()) {
        const QByteArray data(reinterpret_cast<const char*>(write.bytes.data()),
                              static_cast<qsizetype>(write.bytes.size()));
        writes.append(write.key + QLatin1Char('=') + QString::fromLatin1(data.toHex()));
    }
    QJsonObject root;
    root.insert(QStringLiteral("floats"), floats);
    root.insert(QStringLiteral("bytes"), bytes);
    root.insert(QStringLiteral("failing"), QJsonArray::fromStringList(m_failing));
    root.insert(QStringLiteral("writes"), writes);
    QSaveFile file(m_path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(QJsonDocument(root).toJson());
        file.commit();
    }
}

bool SimulatedSmcFile::open()
{
    return m_smc.open();
}

void SimulatedSmcFile::close()
{
    m_smc.close();
}

bool SimulatedSmcFile::isOpen() const
{
    return m_smc.isOpen();
}

std::optional<SMCParamStruct> SimulatedSmcFile::call(const SMCParamStruct& input)
{
    const auto writesBefore = m_smc.writes().size();
    auto answer = m_smc.call(input);
    if (m_smc.writes().size() != writesBefore)
        save();
    return answer;
}

} // namespace corvanite
