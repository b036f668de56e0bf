// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/TerminalStatusLine.h"

#include <unistd.h>

namespace corvanite {

TerminalStatusLine::TerminalStatusLine(FILE* out)
    : TerminalStatusLine(out, ::isatty(::fileno(out)) == 1)
{
}

TerminalStatusLine::TerminalStatusLine(FILE* out, bool rewriteInPlace)
    : m_out(out)
    , m_inPlace(rewriteInPlace)
{
}

TerminalStatusLine::~TerminalStatusLine()
{
    finish();
}

void TerminalStatusLine::show(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    if (m_inPlace) {
        // Carriage return, the text, then erase whatever a longer previous text left behind.
        std::fprintf(m_out, "\r%s\x1b[K", bytes.constData());
        m_lineOpen = true;
    } else {
        std::fprintf(m_out, "%s\n", bytes.constData());
    }
    std::fflush(m_out);
}

void TerminalStatusLine::finish()
{
    if (m_lineOpen) {
        std::fputc('\n', m_out);
        std::fflush(m_out);
        m_lineOpen = false;
    }
}

} // namespace corvanite
