// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A small program the end-to-end tests start on a private X display. It puts up the status
// item and reports on standard output what happens to it, one event per line:
//   kind tray|sni|none, geometry X Y W H, activate X Y, menu X Y, popup N TITLE|TITLE...,
//   popup closed, label TEXT, tick N TEXT (the item's text once the engine started its Nth
//   pass), panel shown X Y W H, panel window X Y W H TITLE, panel hidden, item KIND (the item
//   was made again for a changed status area)
//
//   corvanite_status_probe                the application's status item: the real controller
//                                         over the shared settings, sampling engine and panel
//   corvanite_status_probe --label TEXT   a tray item showing TEXT; right click pops a menu
#include "app/menubar/MenuBarController.h"
#include "app/menubar/StatusIcon.h"
#include "app/menubar/StatusItemFactory.h"
#include "app/menubar/TrayStatusItem.h"
#include "app/panel/PanelWindowController.h"
#include "app/sampling/Monitor.h"
#include "app/shell/Wiring.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTimer>

#include <cstdio>

using namespace corvanite;

namespace {

void report(const QString& line)
{
    std::fputs(qPrintable(line + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
}

QString kindName(StatusItemKind kind)
{
    switch (kind) {
    case StatusItemKind::StatusNotifier:
        return QStringLiteral("sni");
    case StatusItemKind::XEmbedTray:
        return QStringLiteral("tray");
    case StatusItemKind::None:
        break;
    }
    return QStringLiteral("none");
}

// Reports the item's place once the tray has settled it, and every open popup menu.
void watch(StatusItem& item)
{
    auto* timer = new QTimer(&item);
    auto lastGeometry = std::make_shared<QRect>();
    auto lastPopup = std::make_shared<QPointer<QWidget>>();
    auto popupOpen = std::make_shared<bool>(false);
    QObject::connect(timer, &QTimer::timeout, &item, [&item, lastGeometry, lastPopup, popupOpen] {
        const QRect geometry = item.geometry().value_or(QRect());
        if (geometry != *lastGeometry) {
            *lastGeometry = geometry;
            report(QStringLiteral("geometry %1 %2 %3 %4")
                       .arg(geometry.x())
                       .arg(geometry.y())
                       .arg(geometry.width())
                       .arg(geometry.height()));
        }
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu && *popupOpen) {
            *popupOpen = false;
            lastPopup->clear();
            report(QStringLiteral("popup closed"));
        }
        if (menu && menu->isVisible() && menu != lastPopup->data()) {
            *lastPopup = menu;
            *popupOpen = true;
            QStringList titles;
            for (QAction* action : menu->actions())
                titles.append(action->isSeparator() ? QStringLiteral("-") : action->text());
            report(QStringLiteral("popup %1 %2")
                       .arg(titles.size())
                       .arg(titles.join(QLatin1Char('|'))));
        }
    });
    timer->start(100);
    QObject::connect(&item, &StatusItem::activateRequested, &item, [](QPoint at) {
        report(QStringLiteral("activate %1 %2").arg(at.x()).arg(at.y()));
    });
    QObject::connect(&item, &StatusItem::contextMenuRequested, &item, [](QPoint at) {
        report(QStringLiteral("menu %1 %2").arg(at.x()).arg(at.y()));
    });
}

int runLabelItem(const QString& label)
{
    report(QStringLiteral("kind ") +
           kindName(availableStatusItemKind(QDBusConnection::sessionBus())));
    TrayStatusItem item;
    item.setIcon(statusIconSet());
    item.setToolTip(QStringLiteral("Corvanite"));
    item.setLabel(label, label);
    QObject::connect(&item, &StatusItem::contextMenuRequested, &item, [](QPoint at) {
        auto* menu = new QMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->addAction(QStringLiteral("One"));
        menu->addAction(QStringLiteral("Two"));
        menu->popup(at);
    });
    watch(item);
    return QApplication::exec();
}

int runController()
{
    report(QStringLiteral("kind ") +
           kindName(availableStatusItemKind(QDBusConnection::sessionBus())));
    MenuBarController controller(sharedMenuBarDependencies());
    controller.setup();
    watch(controller.statusItem());
    QObject::connect(&controller, &MenuBarController::statusItemChanged, &controller,
                     [&controller] {
                         report(QStringLiteral("item ") +
                                kindName(availableStatusItemKind(QDBusConnection::sessionBus())));
                         watch(controller.statusItem());
                     });
    auto* timer = new QTimer(&controller);
    auto lastLabel = std::make_shared<QString>();
    auto panelShown = std::make_shared<bool>(false);
    auto lastTick = std::make_shared<qint64>(0);
    QObject::connect(timer, &QTimer::timeout, &controller,
                     [&controller, lastLabel, panelShown, lastTick] {
                         const StatusItem& item = controller.statusItem();
                         if (item.label() != *lastLabel) {
                             *lastLabel = item.label();
                             report(QStringLiteral("label ") + item.label());
                         }
                         const qint64 ticks = Monitor::shared().cycle();
                         if (ticks != *lastTick) {
                             *lastTick = ticks;
                             report(QStringLiteral("tick %1 %2").arg(ticks).arg(item.label()));
                         }
                         PanelWindowController& panel = PanelWindowController::shared();
                         if (panel.isShown() != *panelShown) {
                             *panelShown = panel.isShown();
                             const QRect g = panel.isShown() ? panel.panel()->geometry() : QRect();
                             const QString place = QStringLiteral("%1 %2 %3 %4")
                                                       .arg(g.x())
                                                       .arg(g.y())
                                                       .arg(g.width())
                                                       .arg(g.height());
                             if (!*panelShown)
                                 report(QStringLiteral("panel hidden"));
                             else if (panel.isWindowed())
                                 report(QStringLiteral("panel window ") + place + QLatin1Char(' ') +
                                        panel.panel()->windowTitle());
                             else
                                 report(QStringLiteral("panel shown ") + place);
                         }
                     });
    timer->start(100);
    return QApplication::exec();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    const QStringList args = app.arguments();
    const qsizetype labelAt = args.indexOf(QStringLiteral("--label"));
    if (labelAt > 0 && labelAt + 1 < args.size())
        return runLabelItem(args.at(labelAt + 1));
    return runController();
}
