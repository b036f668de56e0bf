// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Preferences.h"

#include "platform/PlatformLog.h"
#include "platform/XdgPaths.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>
#include <QThread>
#include <QTimer>

namespace corvanite {

Preferences::Preferences(QString filePath)
    : m_path(std::move(filePath))
{
    load();
}

Preferences::~Preferences()
{
    flush();
}

Preferences& Preferences::standard()
{
    static Preferences prefs(XdgPaths::appConfigDir() + QStringLiteral("/preferences.json"));
    return prefs;
}

void Preferences::load()
{
    QFile file(m_path);
    if (!file.exists())
        return;
    QJsonParseError error{};
    QJsonDocument doc;
    const bool opened = file.open(QIODevice::ReadOnly);
    const QString openError = file.errorString();
    if (opened)
        doc = QJsonDocument::fromJson(file.readAll(), &error);
    file.close();
    if (opened && error.error == QJsonParseError::NoError && doc.isObject()) {
        m_values = doc.object();
        return;
    }
    QString reason = openError;
    if (opened)
        reason = error.error != QJsonParseError::NoError ? error.errorString()
                                                         : QStringLiteral("not a JSON object");
    // Keep the user's file for inspection instead of overwriting it with defaults.
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString aside = m_path + QStringLiteral(".unreadable-") + stamp;
    for (int n = 1; QFileInfo::exists(aside); ++n)
        aside =
            m_path + QStringLiteral(".unreadable-") + stamp + QLatin1Char('-') + QString::number(n);
    if (QFile::rename(m_path, aside) || QFile::copy(m_path, aside))
        m_setAsidePath = aside;
    // Without a copy aside, the next change would overwrite the only copy of the user's values.
    m_writable = !m_setAsidePath.isEmpty();
    if (m_writable) {
        PlatformLog::write(
            QStringLiteral("⚠ Preferences file unreadable (%1); kept as %2; starting from "
                           "defaults")
                .arg(reason, m_setAsidePath));
    } else {
        PlatformLog::write(
            QStringLiteral("⚠ Preferences file unreadable (%1) and could not be kept aside; "
                           "starting from defaults; changes in this run are not saved to %2")
                .arg(reason, m_path));
    }
}

bool Preferences::save() const
{
    if (!m_writable)
        return false;
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = QJsonDocument(m_values).toJson(QJsonDocument::Indented);
    // commit() does not see a failure of the final flush of its buffer (a full disk): it would
    // put an empty file in place of the user's. Flushed here, a failure leaves the old file and
    // the unfinished copy is discarded with `file`.
    if (file.write(bytes) != bytes.size() || !file.flush())
        return false;
    return file.commit();
}

void Preferences::flush()
{
    QMutexLocker lock(&m_mutex);
    if (!m_dirty)
        return;
    m_dirty = false;
    if (save() || !m_writable)
        return; // an unwritable store was reported once, when it was loaded
    PlatformLog::write(QStringLiteral("⚠ Could not write preferences to ") + m_path);
    if (!m_writeFailureReported && m_onWriteFailure) {
        m_writeFailureReported = true;
        m_onWriteFailure(m_path);
    }
}

void Preferences::setWriteFailureHandler(std::function<void(const QString& path)> handler)
{
    QMutexLocker lock(&m_mutex);
    m_onWriteFailure = std::move(handler);
}

// A user action often sets several keys in a row; they reach the disk in one write at the end
// of the event-loop turn. Without an event loop on this thread the write happens at once.
void Preferences::scheduleSave()
{
    m_dirty = true;
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() != app->thread()) {
        flush();
        return;
    }
    if (!m_saveTimer) {
        m_saveTimer = std::make_unique<QTimer>();
        m_saveTimer->setSingleShot(true);
        m_saveTimer->setInterval(0);
        QObject::connect(m_saveTimer.get(), &QTimer::timeout, [this] { flush(); });
    }
    m_saveTimer->start();
}

bool Preferences::contains(const QString& key) const
{
    QMutexLocker lock(&m_mutex);
    return m_values.contains(key);
}

QJsonValue Preferences::value(const QString& key) const
{
    QMutexLocker lock(&m_mutex);
    return m_values.value(key);
}

void Preferences::setValue(const QString& key, const QJsonValue& value)
{
    QMutexLocker lock(&m_mutex);
    m_values.insert(key, value);
    scheduleSave();
}

void Preferences::remove(const QString& key)
{
    QMutexLocker lock(&m_mutex);
    m_values.remove(key);
    scheduleSave();
}

bool Preferences::boolValue(const QString& key) const
{
    return storedBool(key).value_or(false);
}

std::optional<bool> Preferences::storedBool(const QString& key) const
{
    const QJsonValue v = value(key);
    if (v.isBool())
        return v.toBool();
    return std::nullopt;
}

double Preferences::doubleValue(const QString& key) const
{
    return storedDouble(key).value_or(0.0);
}

std::optional<double> Preferences::storedDouble(const QString& key) const
{
    const QJsonValue v = value(key);
    if (v.isDouble())
        return v.toDouble();
    return std::nullopt;
}

qint64 Preferences::integerValue(const QString& key) const
{
    const double d = doubleValue(key);
    // Truncate like an integer reading of a stored number; out-of-range values read as 0.
    if (!(d > -9.2e18 && d < 9.2e18))
        return 0;
    return static_cast<qint64>(d);
}

std::optional<QString> Preferences::stringValue(const QString& key) const
{
    const QJsonValue v = value(key);
    if (v.isString())
        return v.toString();
    return std::nullopt;
}

std::optional<QStringList> Preferences::stringArray(const QString& key) const
{
    const QJsonValue v = value(key);
    if (!v.isArray())
        return std::nullopt;
    QStringList list;
    for (const QJsonValue& item : v.toArray()) {
        if (!item.isString())
            return std::nullopt;
        list.append(item.toString());
    }
    return list;
}

std::optional<QByteArray> Preferences::dataValue(const QString& key) const
{
    const QJsonValue v = value(key);
    if (!v.isObject() || !v.toObject().value(QStringLiteral("data")).isString())
        return std::nullopt;
    return QByteArray::fromBase64(v.toObject().value(QStringLiteral("data")).toString().toLatin1());
}

void Preferences::setStringArray(const QString& key, const QStringList& value)
{
    setValue(key, QJsonArray::fromStringList(value));
}

void Preferences::setData(const QString& key, const QByteArray& value)
{
    setValue(key, QJsonObject{{QStringLiteral("data"), QString::fromLatin1(value.toBase64())}});
}

} // namespace corvanite
