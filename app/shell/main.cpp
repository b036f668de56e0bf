#include "app/shell/AppDelegate.h"
#include "app/shell/TerminationSignals.h"
#include "app/shell/Wiring.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTimer>

#include <memory>

using namespace corvanite;

namespace {

// A display is usable when Qt was told which platform to use, a Wayland socket is named, or the
// X server named by DISPLAY answers on its local socket. Without one the application runs
// headless instead of aborting inside the platform plugin.
bool hasDisplay()
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return true;
    const QString display = qEnvironmentVariable("DISPLAY");
    if (display.isEmpty())
        return false;
    if (!display.startsWith(QLatin1Char(':')))
        return true; // a remote display: let Qt try it
    const QString number = display.mid(1).section(QLatin1Char('.'), 0, 0);
    return QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X") + number);
}

} // namespace

int main(int argc, char** argv)
{
    const bool headless = !hasDisplay();
    std::unique_ptr<QCoreApplication> app;
    if (headless)
        app = std::make_unique<QCoreApplication>(argc, argv);
    else
        app = std::make_unique<QApplication>(argc, argv);
    // Closing the panel or a menu must not end an application that lives in the status area.
    if (!headless)
        QApplication::setQuitOnLastWindowClosed(false);
    QCoreApplication::setApplicationName(QStringLiteral("corvanite"));
    QCoreApplication::setApplicationVersion(QStringLiteral(CORVANITE_VERSION));

    routePlatformLogToLog();
    AppDelegate& delegate = AppDelegate::shared();
    delegate.setHeadless(headless);
    if (!headless)
        delegate.applyDarkAppearance();

    TerminationSignals termination;
    termination.install();
    QObject::connect(&termination, &TerminationSignals::terminationRequested, app.get(),
                     &QCoreApplication::quit);
    QObject::connect(app.get(), &QCoreApplication::aboutToQuit, &delegate,
                     &AppDelegate::applicationWillTerminate);
    QTimer::singleShot(0, &delegate, &AppDelegate::applicationDidFinishLaunching);
    return app->exec();
}
