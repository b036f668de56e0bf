// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PlatformLog.h"

#include <QMutex>

#include <cstdio>

namespace corvanite::PlatformLog {

namespace {
QMutex& sinkMutex()
{
    static QMutex mutex;
    return mutex;
}

Sink& currentSink()
{
    static Sink sink;
    return sink;
}
} // namespace

void setSink(Sink sink)
{
    QMutexLocker lock(&sinkMutex());
    currentSink() = std::move(sink);
}

void write(const QString& line)
{
    Sink sink;
    {
        QMutexLocker lock(&sinkMutex());
        sink = currentSink();
    }
    if (sink) {
        sink(line);
        return;
    }
    std::fprintf(stderr, "%s\n", line.toUtf8().constData());
}

} // namespace corvanite::PlatformLog
