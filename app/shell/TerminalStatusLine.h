// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdio>

namespace corvanite {

// The status item of a machine without a display: the composed status text written to the
// terminal on every tick. On a terminal the line is rewritten in place; into a pipe or a file
// every tick is its own line, so the output stays readable there too.
class TerminalStatusLine {
public:
    explicit TerminalStatusLine(FILE* out = stdout);
    TerminalStatusLine(FILE* out, bool rewriteInPlace);
    ~TerminalStatusLine();

    void show(const QString& text);
    // True when the line is rewritten in place, i.e. it goes to a terminal.
    bool isTerminal() const { return m_inPlace; }
    // Ends a line being rewritten in place, so the shell prompt starts on a fresh line.
    void finish();

private:
    FILE* m_out;
    bool m_inPlace;
    bool m_lineOpen = false;
};

} // namespace corvanite
