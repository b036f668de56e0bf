// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "helper/SystemLog.h"

#include <QMutex>

#include <syslog.h>

namespace corvanite::SystemLog {

namespace {

QMutex& sinkLock()
{
    static QMutex lock;
    return lock;
}

Sink& currentSink()
{
    static Sink sink;
    return sink;
}

} // namespace

void open(bool alsoStderr)
{
    openlog("corvanite-helper", LOG_PID | (alsoStderr ? LOG_PERROR : 0), LOG_DAEMON);
}

void setSink(Sink sink)
{
    const QMutexLocker locker(&sinkLock());
    currentSink() = std::move(sink);
}

void write(const QString& line)
{
    const QMutexLocker locker(&sinkLock());
    if (currentSink()) {
        currentSink()(line);
        return;
    }
    syslog(LOG_NOTICE, "%s", line.toUtf8().constData());
}

} // namespace corvanite::SystemLog
