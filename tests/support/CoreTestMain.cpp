// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/Wiring.h"
#include "tests/support/TestSandbox.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    corvanite::test::TestSandbox sandbox;
    QCoreApplication app(argc, argv);
    corvanite::routePlatformLogToLog();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
