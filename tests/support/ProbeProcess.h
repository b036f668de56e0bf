// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <functional>
#include <optional>

namespace corvanite::test {

// A child program that reports events as lines on its standard output; the test waits for
// lines by their first word.
class ProbeProcess {
public:
    ProbeProcess(const QString& program, const QStringList& arguments,
                 const QProcessEnvironment& environment);
    ~ProbeProcess();

    bool isRunning() const { return m_process.state() == QProcess::Running; }
    // The first line not yet taken that starts with `word` (and satisfies `accept`), waiting up
    // to `timeoutMs` for it; lines before it stay available.
    std::optional<QString> takeLine(const QString& word, int timeoutMs = 10000,
                                    const std::function<bool(const QString&)>& accept = {});
    // Everything the program wrote so far, for failure messages.
    QString transcript() const { return m_transcript; }

private:
    void readLines();

    QProcess m_process;
    QStringList m_lines;
    QString m_transcript;
    QByteArray m_partial;
};

} // namespace corvanite::test
