// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QEventLoop>
#include <QTimer>

namespace corvanite::test {

// Runs the event loop until `done()` holds or `timeoutMs` passed; returns whether it held.
// For waiting on real I/O (sockets, child processes), never for the passage of time itself.
template <typename Predicate> bool waitFor(Predicate&& done, int timeoutMs = 5000)
{
    if (done())
        return true;
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    poll.start(5);
    loop.exec();
    return done();
}

// Runs the event loop for `ms`, to show that something does NOT happen in that time.
inline void spinEventLoop(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace corvanite::test
