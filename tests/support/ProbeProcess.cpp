// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/ProbeProcess.h"

#include "tests/support/WaitFor.h"

namespace corvanite::test {

ProbeProcess::ProbeProcess(const QString& program, const QStringList& arguments,
                           const QProcessEnvironment& environment)
{
    m_process.setProcessEnvironment(environment);
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    QObject::connect(&m_process, &QProcess::readyReadStandardOutput, [this] { readLines(); });
    QObject::connect(&m_process, &QProcess::readyReadStandardError, [this] {
        m_transcript += QString::fromLocal8Bit(m_process.readAllStandardError());
    });
    m_process.start(program, arguments);
    m_process.waitForStarted(5000);
}

ProbeProcess::~ProbeProcess()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(3000)) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
}

void ProbeProcess::readLines()
{
    m_partial += m_process.readAllStandardOutput();
    qsizetype end;
    while ((end = m_partial.indexOf('\n')) >= 0) {
        const QString line = QString::fromUtf8(m_partial.left(end));
        m_partial.remove(0, end + 1);
        m_lines.append(line);
        m_transcript += line + QLatin1Char('\n');
    }
}

std::optional<QString> ProbeProcess::takeLine(const QString& word, int timeoutMs,
                                              const std::function<bool(const QString&)>& accept)
{
    std::optional<QString> found;
    waitFor(
        [&] {
            for (qsizetype i = 0; i < m_lines.size(); ++i) {
                const QString& line = m_lines.at(i);
                if (line.section(QLatin1Char(' '), 0, 0) == word && (!accept || accept(line))) {
                    found = line;
                    m_lines.removeAt(i);
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return found;
}

} // namespace corvanite::test
