// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/settings/FirstRunTipWindow.h"

#include "app/base/Log.h"
#include "app/panel/settings/FirstRunTip.h"
#include "app/settings/SettingsManager.h"

#include <QApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace corvanite {

namespace {

QPointer<QWidget>& shownTip()
{
    static QPointer<QWidget> tip;
    return tip;
}

const QScreen* screenFor(const QRect& anchor)
{
    if (const QScreen* screen = QGuiApplication::screenAt(anchor.center()))
        return screen;
    return QGuiApplication::primaryScreen();
}

} // namespace

int FirstRunTipWindow::height()
{
    return kBodyHeight + FirstRunTip::kArrowHeight;
}

FirstRunTipWindow::Placement FirstRunTipWindow::place(const QRect& anchor, const QRect& available)
{
    Placement placement;
    const int h = height();
    const double centre = anchor.left() + anchor.width() / 2.0;
    const int minX = available.left() + kScreenMargin;
    const int maxX = available.left() + available.width() - kScreenMargin - kWidth;
    const int x = std::max(minX, std::min(qRound(centre - kWidth / 2.0), maxX));
    int y = anchor.top() + anchor.height();
    const int bottom = available.top() + available.height();
    if (y + h > bottom && anchor.top() - h >= available.top()) {
        placement.above = true;
        y = anchor.top() - h;
    }
    // Never over a desktop panel that holds the item.
    if (!placement.above)
        y = std::max(y, available.top());
    placement.origin = QPoint(x, y);
    placement.arrowX = centre - x;
    return placement;
}

bool FirstRunTipWindow::showIfNeeded(SettingsManager& settings, PanelSkin skin,
                                     const std::optional<QRect>& anchor)
{
    if (!settings.isFirstRun())
        return false;
    // No display, no tip: the first launch is kept for a session that can show it.
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()) ||
        !QGuiApplication::primaryScreen())
        return false;
    settings.markLaunched();
    Log::debug(QStringLiteral("First launch: showing guidance tip"));
    dismiss();

    const QScreen* primary = QGuiApplication::primaryScreen();
    QRect target;
    if (anchor) {
        target = *anchor;
    } else {
        const QRect area = primary->availableGeometry();
        target = QRect(area.right() - 40, area.top(), 1, 1);
    }
    const QScreen* screen = screenFor(target);
    const Placement placement = place(target, screen->availableGeometry());

    auto* window =
        new QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                                 Qt::WindowDoesNotAcceptFocus);
    window->setObjectName(QStringLiteral("firstrun.window"));
    window->setAttribute(Qt::WA_TranslucentBackground);
    window->setAttribute(Qt::WA_ShowWithoutActivating);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setFixedSize(kWidth, height());
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* tip = new FirstRunTip(
        SettingsStyle::of(skin), [] { FirstRunTipWindow::dismiss(); }, window);
    tip->setArrow(placement.arrowX, !placement.above);
    layout->addWidget(tip);
    window->move(placement.origin);

    auto* timer = new QTimer(window);
    timer->setObjectName(QStringLiteral("firstrun.dismissTimer"));
    timer->setSingleShot(true);
    timer->setInterval(kDismissDelayMs);
    QObject::connect(timer, &QTimer::timeout, window, [] { FirstRunTipWindow::dismiss(); });
    shownTip() = window;
    window->show();
    timer->start();
    return true;
}

void FirstRunTipWindow::dismiss()
{
    QPointer<QWidget>& tip = shownTip();
    if (!tip)
        return;
    QWidget* window = tip;
    tip = nullptr;
    window->hide();
    window->deleteLater();
}

QWidget* FirstRunTipWindow::window()
{
    return shownTip();
}

QTimer* FirstRunTipWindow::dismissTimer()
{
    QWidget* window = shownTip();
    return window ? window->findChild<QTimer*>(QStringLiteral("firstrun.dismissTimer")) : nullptr;
}

} // namespace corvanite
