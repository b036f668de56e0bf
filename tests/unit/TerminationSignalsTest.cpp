// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/TerminationSignals.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>

#include <csignal>

#include <gtest/gtest.h>

using namespace corvanite;

// Each signal the desktop may send on logout or Ctrl-C arrives as one request on the event loop.
TEST(TerminationSignals, deliversEachSignalOnTheEventLoop)
{
    TerminationSignals signals;
    ASSERT_TRUE(signals.install());
    QSignalSpy spy(&signals, &TerminationSignals::terminationRequested);
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
        ::raise(sig);
        ASSERT_TRUE(spy.wait(2000) || spy.count() > 0);
        EXPECT_EQ(spy.takeFirst().at(0).toInt(), sig);
    }
}
