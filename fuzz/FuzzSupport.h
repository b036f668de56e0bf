// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <string_view>

// What the fuzz targets share: the input as text, split into fields, and a scratch folder that
// stands in for /proc or /sys when a reader only takes files.

namespace corvanite::fuzz {

inline std::string_view text(const std::uint8_t* data, std::size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}

inline QByteArray bytes(const std::uint8_t* data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

// Fields separated by a byte no sysfs value holds, so one input fills several files; missing
// fields are empty. The seeds use the same layout.
inline QList<QByteArray> fields(const std::uint8_t* data, std::size_t size, int count)
{
    QList<QByteArray> out = bytes(data, size).split('\x1f');
    while (out.size() < count)
        out.append(QByteArray());
    return out.mid(0, count);
}

// Some readers use timers or Qt's event dispatcher; one application object for the whole run.
inline void ensureApplication()
{
    static int argc = 1;
    static char name[] = "corvanite-fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app =
        QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
    (void)app;
}

// One scratch tree per process, rewritten for each input.
class ScratchTree {
public:
    static ScratchTree& shared()
    {
        static ScratchTree tree;
        return tree;
    }
    QString root() const { return m_dir.path(); }
    QString path(const QString& relative) const { return m_dir.filePath(relative); }

    void write(const QString& relative, const QByteArray& contents) const
    {
        const QString target = path(relative);
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile file(target);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(contents);
    }
    void remove(const QString& relative) const { QFile::remove(path(relative)); }

private:
    ScratchTree()
        : m_dir(QDir::tempPath() + QStringLiteral("/corvanite-fuzz-XXXXXX"))
    {
    }
    QTemporaryDir m_dir;
};

} // namespace corvanite::fuzz
