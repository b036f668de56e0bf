// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/ChildProcess.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace corvanite::test {

namespace {

QList<QByteArray> encoded(const QStringList& argv)
{
    QList<QByteArray> args;
    for (const QString& a : argv)
        args.append(a.toLocal8Bit());
    return args;
}

} // namespace

ChildProcess::ChildProcess(const QStringList& argv, Options options)
    : ChildProcess(encoded(argv), options)
{
}

ChildProcess::ChildProcess(const QList<QByteArray>& argv, Options options)
    : m_ownGroup(options.ownGroup)
{
    QList<QByteArray> args = argv;
    std::vector<char*> raw;
    for (QByteArray& a : args)
        raw.push_back(a.data());
    raw.push_back(nullptr);
    // The write end closes on exec, so the parent returns once the child runs the program
    // (and not while it is still a copy of this test).
    int execPipe[2];
    if (::pipe2(execPipe, O_CLOEXEC) != 0)
        return;
    m_pid = ::fork();
    if (m_pid == 0) {
        // Only async-signal-safe calls between fork and exec.
        ::close(execPipe[0]);
        if (options.ownGroup)
            ::setpgid(0, 0);
        if (options.ignoreTerm)
            ::signal(SIGTERM, SIG_IGN);
        ::execvp(raw[0], raw.data());
        ::_exit(127);
    }
    ::close(execPipe[1]);
    if (m_pid > 0 && options.ownGroup)
        ::setpgid(m_pid, m_pid); // also from this side, so the group exists when we return
    char byte = 0;
    while (m_pid > 0 && ::read(execPipe[0], &byte, 1) < 0 && errno == EINTR) {
    }
    ::close(execPipe[0]);
}

ChildProcess::~ChildProcess()
{
    if (m_pid <= 0 || m_reaped)
        return;
    if (m_ownGroup) {
        ::kill(-m_pid, SIGKILL);
        ::kill(-m_pid, SIGCONT);
    }
    ::kill(m_pid, SIGKILL);
    int status = 0;
    ::waitpid(m_pid, &status, 0);
}

char ChildProcess::state(pid_t pid)
{
    QFile file(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return '\0';
    const QByteArray text = file.readAll();
    const qsizetype close = text.lastIndexOf(')');
    return close >= 0 && close + 2 < text.size() ? text[close + 2] : '\0';
}

bool ChildProcess::waitForState(pid_t pid, bool (*want)(char), int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!want(state(pid))) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QThread::msleep(5);
    }
    return true;
}

qint32 ChildProcess::readPid(const QString& path, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    for (;;) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray text = file.readAll();
            if (text.endsWith('\n'))
                return text.trimmed().toInt();
        }
        if (timer.elapsed() > timeoutMs)
            return 0;
        QThread::msleep(5);
    }
}

std::optional<int> ChildProcess::waitForEnd(int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    for (;;) {
        int status = 0;
        const pid_t got = ::waitpid(m_pid, &status, WNOHANG);
        if (got == m_pid) {
            m_reaped = true;
            return WIFSIGNALED(status) ? WTERMSIG(status) : 0;
        }
        if (got < 0 || timer.elapsed() > timeoutMs)
            return std::nullopt;
        QThread::msleep(5);
    }
}

} // namespace corvanite::test
