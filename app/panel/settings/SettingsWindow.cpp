// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/settings/SettingsWindow.h"

#include "app/base/L10n.h"
#include "app/base/Log.h"
#include "app/panel/SkinManager.h"
#include "app/panel/settings/SettingsContent.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>

namespace corvanite {

namespace {

// The window's own widget: the skin's background behind the view, and Escape to close.
class SettingsWindowFrame : public QWidget {
public:
    explicit SettingsWindowFrame(const SettingsServices& services)
        : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowCloseButtonHint)
        , m_l10n(services.l10n)
        , m_skins(services.skins)
    {
        setObjectName(QStringLiteral("settings.window"));
        setAttribute(Qt::WA_DeleteOnClose);
        setFixedSize(SettingsWindow::kWidth, SettingsWindow::kHeight);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        m_content = new SettingsContent(services, this);
        layout->addWidget(m_content);
        retitle();
        connect(m_l10n, &L10n::languageChanged, this, [this] { retitle(); });
        connect(services.skins, &SkinManager::skinChanged, this, [this] { update(); });
        auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
        escape->setContext(Qt::WidgetWithChildrenShortcut);
        connect(escape, &QShortcut::activated, this, &QWidget::close);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), SettingsStyle::of(m_skins->skin()).background);
    }

private:
    void retitle() { setWindowTitle(L(QStringLiteral("settings.title"))); }

    L10n* m_l10n;
    SkinManager* m_skins;
    SettingsContent* m_content = nullptr;
};

QPointer<QWidget>& openWindow()
{
    static QPointer<QWidget> window;
    return window;
}

void bringForward(QWidget* window)
{
    window->show();
    window->raise();
    // The application has no window of its own in front: it must ask for the focus.
    window->activateWindow();
}

} // namespace

void SettingsWindow::show(const SettingsServices& services)
{
    QPointer<QWidget>& window = openWindow();
    if (window) {
        bringForward(window);
        return;
    }
    window = new SettingsWindowFrame(services);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(0, 0), window->size());
        frame.moveCenter(screen->availableGeometry().center());
        window->move(frame.topLeft());
    }
    Log::debug(QStringLiteral("Settings window opened"));
    bringForward(window);
}

QWidget* SettingsWindow::window()
{
    return openWindow();
}

} // namespace corvanite
