// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QMutex>
#include <QString>
#include <QStringList>

class QTimer;

#include <functional>
#include <memory>
#include <optional>

namespace corvanite {

// The per-user key-value store: one JSON object in a file, rewritten atomically after each
// change (the changes of one event-loop turn in one write). Values keep their JSON type, so an
// absent key is told apart from a stored one and a Boolean from a number. Binary data is kept as
// {"data": "<base64>"}.
//
// A file that cannot be parsed is moved aside (never overwritten) and the store starts empty.
// When it cannot be moved aside, the store keeps changes in memory only for this run, so the
// user's file is left exactly as it was.
class Preferences {
public:
    explicit Preferences(QString filePath);
    // Writes what is still pending.
    ~Preferences();
    Preferences(const Preferences&) = delete;
    Preferences& operator=(const Preferences&) = delete;

    // The store in $XDG_CONFIG_HOME/corvanite/preferences.json, created on first use.
    static Preferences& standard();

    QString filePath() const { return m_path; }
    // Where an unreadable file was moved, empty when loading went well.
    QString setAsidePath() const { return m_setAsidePath; }
    // False when an unreadable file could not be moved aside: nothing is written this run.
    bool isWritable() const { return m_writable; }
    // Writes pending changes now.
    void flush();
    // Called once, the first time a change cannot be written, with the file's path.
    void setWriteFailureHandler(std::function<void(const QString& path)> handler);

    bool contains(const QString& key) const;
    QJsonValue value(const QString& key) const; // Undefined when absent
    void setValue(const QString& key, const QJsonValue& value);
    void remove(const QString& key);

    // Plain readings: an absent key or a value of another kind gives false / 0 / nothing. Kinds
    // are not converted: a number is not a Boolean and a Boolean is not a number.
    bool boolValue(const QString& key) const;
    double doubleValue(const QString& key) const;
    qint64 integerValue(const QString& key) const;
    std::optional<bool> storedBool(const QString& key) const;
    std::optional<double> storedDouble(const QString& key) const;
    std::optional<QString> stringValue(const QString& key) const;
    std::optional<QStringList> stringArray(const QString& key) const;
    std::optional<QByteArray> dataValue(const QString& key) const;

    void setBool(const QString& key, bool value) { setValue(key, value); }
    void setDouble(const QString& key, double value) { setValue(key, value); }
    void setInteger(const QString& key, qint64 value) { setValue(key, value); }
    void setString(const QString& key, const QString& value) { setValue(key, value); }
    void setStringArray(const QString& key, const QStringList& value);
    void setData(const QString& key, const QByteArray& value);

private:
    void load();
    bool save() const;
    void scheduleSave(); // with m_mutex held

    QString m_path;
    QString m_setAsidePath;
    bool m_writable = true;
    QJsonObject m_values;
    bool m_dirty = false;
    bool m_writeFailureReported = false;
    std::function<void(const QString&)> m_onWriteFailure;
    std::unique_ptr<QTimer> m_saveTimer; // on the thread that runs the event loop
    mutable QRecursiveMutex m_mutex;     // flush() runs from setters too
};

} // namespace corvanite
