// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/ConfirmationDialog.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>

namespace corvanite {

QMessageBox* ConfirmationDialog::open(QWidget* over, const QString& title, const QString& message,
                                      const QList<Choice>& choices,
                                      const std::function<void(bool)>& hold)
{
    if (hold)
        hold(true);
    auto* box = new QMessageBox(over ? over->window() : nullptr);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setObjectName(QStringLiteral("CorvaniteConfirmation"));
    box->setIcon(QMessageBox::Warning);
    box->setWindowTitle(title);
    box->setText(title);
    box->setInformativeText(message);
    box->setWindowModality(Qt::WindowModal);
    QHash<QAbstractButton*, std::function<void()>> actions;
    for (const Choice& choice : choices) {
        const QMessageBox::ButtonRole role =
            choice.cancel
                ? QMessageBox::RejectRole
                : (choice.destructive ? QMessageBox::DestructiveRole : QMessageBox::AcceptRole);
        QPushButton* button = box->addButton(choice.label, role);
        actions.insert(button, choice.action);
        if (choice.cancel) {
            box->setEscapeButton(button);
            box->setDefaultButton(button);
        }
    }
    QWidget* panel = over ? over->window() : nullptr;
    QObject::connect(box, &QMessageBox::buttonClicked, box, [actions](QAbstractButton* button) {
        if (const auto action = actions.value(button))
            action();
    });
    QObject::connect(box, &QObject::destroyed, [hold, panel = QPointer<QWidget>(panel)] {
        if (panel)
            panel->activateWindow();
        if (hold)
            hold(false);
    });
    box->open();
    return box;
}

} // namespace corvanite
