// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/XvfbSession.h"

#include "tests/support/WaitFor.h"

#include <QDeadlineTimer>
#include <QRegularExpression>
#include <QStandardPaths>

namespace corvanite::test {

namespace {

void stop(QProcess& process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(3000);
    }
}

} // namespace

XvfbSession::XvfbSession(QSize screen)
{
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty()) {
        m_error = QStringLiteral("Xvfb is not installed");
        return;
    }
    // -displayfd 1: Xvfb picks a free display number and prints it once it accepts clients.
    m_xvfb.setProgram(QStringLiteral("Xvfb"));
    m_xvfb.setArguments(
        {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
         QStringLiteral("0"), QStringLiteral("%1x%2x24").arg(screen.width()).arg(screen.height()),
         QStringLiteral("-nolisten"), QStringLiteral("tcp"), QStringLiteral("-noreset")});
    m_xvfb.start();
    if (!m_xvfb.waitForStarted(5000)) {
        m_error = QStringLiteral("Xvfb did not start: ") + m_xvfb.errorString();
        return;
    }
    const QDeadlineTimer deadline(10000);
    QByteArray output;
    while (!output.contains('\n') && !deadline.hasExpired() &&
           m_xvfb.state() == QProcess::Running) {
        if (m_xvfb.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
            output += m_xvfb.readAllStandardOutput();
    }
    bool ok = false;
    const int number = QString::fromLatin1(output).trimmed().toInt(&ok);
    if (!ok) {
        m_error = QStringLiteral("Xvfb gave no display number: ") +
                  QString::fromLocal8Bit(m_xvfb.readAllStandardError()).left(400);
        stop(m_xvfb);
        return;
    }
    m_display = QStringLiteral(":%1").arg(number);
}

XvfbSession::~XvfbSession()
{
    stop(m_tray);
    stop(m_xvfb);
}

void XvfbSession::stopTray()
{
    stop(m_tray);
}

QStringList XvfbSession::missingTools()
{
    QStringList missing;
    for (const char* tool : {"Xvfb", "trayer", "xwininfo", "xdotool", "import"}) {
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
            missing.append(QLatin1String(tool));
    }
    return missing;
}

QProcessEnvironment XvfbSession::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    return env;
}

std::optional<QString> XvfbSession::run(const QString& program, const QStringList& arguments,
                                        int timeoutMs) const
{
    QProcess process;
    process.setProcessEnvironment(environment());
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs)) {
        stop(process);
        return {};
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return {};
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

bool XvfbSession::startTray(int height)
{
    if (!isRunning())
        return false;
    m_tray.setProcessEnvironment(environment());
    m_tray.setProgram(QStringLiteral("trayer"));
    m_tray.setArguments(
        {QStringLiteral("--edge"), QStringLiteral("top"), QStringLiteral("--align"),
         QStringLiteral("right"), QStringLiteral("--height"), QString::number(height),
         QStringLiteral("--widthtype"), QStringLiteral("request"), QStringLiteral("--SetDockType"),
         QStringLiteral("false"), QStringLiteral("--transparent"), QStringLiteral("false")});
    m_tray.setProcessChannelMode(QProcess::MergedChannels);
    m_tray.start();
    if (!m_tray.waitForStarted(5000)) {
        m_error = QStringLiteral("trayer did not start: ") + m_tray.errorString();
        return false;
    }
    // trayer names its panel window "panel" once it has taken the tray selection.
    const bool up = waitFor(
        [&] {
            return m_tray.state() == QProcess::Running &&
                   run(QStringLiteral("xwininfo"),
                       {QStringLiteral("-root"), QStringLiteral("-tree")})
                       .value_or(QString())
                       .contains(QLatin1String("\"panel\""));
        },
        10000);
    if (!up)
        m_error = QStringLiteral("trayer did not show its panel: ") +
                  QString::fromLocal8Bit(m_tray.readAll());
    return up;
}

QImage XvfbSession::screenshot() const
{
    QProcess process;
    process.setProcessEnvironment(environment());
    process.start(QStringLiteral("import"),
                  {QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("png:-")});
    if (!process.waitForFinished(15000)) {
        stop(process);
        return {};
    }
    return QImage::fromData(process.readAllStandardOutput(), "PNG");
}

QStringList XvfbSession::visibleWindows(const QString& className) const
{
    return run(QStringLiteral("xdotool"),
               {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                QStringLiteral("--class"), className})
        .value_or(QString())
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

std::optional<XvfbSession::WindowInfo> XvfbSession::windowInfo(const QString& windowId) const
{
    const QString text =
        run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), windowId}).value_or(QString());
    const auto number = [&](const char* label) -> std::optional<int> {
        const QRegularExpression re(QStringLiteral("%1:\\s+(-?\\d+)").arg(QLatin1String(label)));
        const auto match = re.match(text);
        if (!match.hasMatch())
            return std::nullopt;
        return match.captured(1).toInt();
    };
    const auto x = number("Absolute upper-left X");
    const auto y = number("Absolute upper-left Y");
    const auto w = number("Width");
    const auto h = number("Height");
    if (!x || !y || !w || !h)
        return std::nullopt;
    return WindowInfo{QRect(*x, *y, *w, *h),
                      text.contains(QLatin1String("Override Redirect State: yes"))};
}

bool XvfbSession::click(QPoint at, int button) const
{
    return run(QStringLiteral("xdotool"),
               {QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
                QStringLiteral("click"), QString::number(button)})
        .has_value();
}

} // namespace corvanite::test
