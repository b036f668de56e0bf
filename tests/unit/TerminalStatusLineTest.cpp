// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/TerminalStatusLine.h"

#include <cstdio>

#include <gtest/gtest.h>

using namespace corvanite;

namespace {

QByteArray written(const std::function<void(TerminalStatusLine&)>& use, bool inPlace)
{
    char* buffer = nullptr;
    size_t size = 0;
    FILE* out = open_memstream(&buffer, &size);
    {
        TerminalStatusLine line(out, inPlace);
        use(line);
    }
    std::fclose(out);
    QByteArray result(buffer, static_cast<qsizetype>(size));
    std::free(buffer);
    return result;
}

} // namespace

TEST(TerminalStatusLine, terminalRewritesOneLineAndEndsItOnFinish)
{
    const QByteArray out = written(
        [](TerminalStatusLine& l) {
            l.show(QStringLiteral("CPU 12%  MEM 40%"));
            l.show(QStringLiteral("CPU 9%  MEM 41%  ↓1.2M ↑45K"));
        },
        true);
    EXPECT_EQ(out, QByteArray("\rCPU 12%  MEM 40%\x1b[K\rCPU 9%  MEM 41%  ↓1.2M ↑45K\x1b[K\n"));
}

TEST(TerminalStatusLine, pipeGetsOneLinePerTick)
{
    const QByteArray out = written(
        [](TerminalStatusLine& l) {
            l.show(QStringLiteral("a"));
            l.show(QStringLiteral("b"));
        },
        false);
    EXPECT_EQ(out, QByteArray("a\nb\n"));
}
