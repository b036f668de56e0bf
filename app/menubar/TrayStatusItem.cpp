// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/menubar/TrayStatusItem.h"

#include "app/menubar/StatusIcon.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QSet>
#include <QSystemTrayIcon>
#include <QWidget>

#include <algorithm>

namespace corvanite {

namespace {

constexpr int kDefaultSlot = 22;

QSet<QWidget*> trayWindows()
{
    QSet<QWidget*> found;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String("QSystemTrayIconSys"))
            found.insert(widget);
    }
    return found;
}

// Paints whatever image the item drew last. The tray keeps one icon for the item's whole life:
// a new QIcon per tick would leave a scaled copy of every tick's image in Qt's pixmap cache.
class CurrentImageEngine : public QIconEngine {
public:
    explicit CurrentImageEngine(std::shared_ptr<const QImage> image)
        : m_image(std::move(image))
    {
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override
    {
        if (m_image->isNull())
            return;
        // At its own size where it fits (the slot was sized for it), else scaled down to fit.
        QSizeF logical = m_image->deviceIndependentSize();
        if (logical.width() > rect.width() || logical.height() > rect.height())
            logical.scale(rect.size(), Qt::KeepAspectRatio);
        const QPointF at(rect.x(), rect.y() + (rect.height() - logical.height()) / 2.0);
        painter->drawImage(QRectF(at, logical), *m_image);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap out(size);
        out.fill(Qt::transparent);
        QPainter painter(&out);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return out;
    }
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }
    QIconEngine* clone() const override { return new CurrentImageEngine(m_image); }
    bool isNull() override { return m_image->isNull(); }

private:
    std::shared_ptr<const QImage> m_image;
};

} // namespace

TrayStatusItem::TrayStatusItem(QObject* parent)
    : StatusItem(parent)
    , m_tray(new QSystemTrayIcon(this))
    , m_shown(std::make_shared<QImage>())
    , m_trayIcon(new CurrentImageEngine(m_shown))
{
    connect(m_tray, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                // A second click soon after the first arrives as a double click; it is still
                // a click of its own (the first opened the panel, this one closes it).
                if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
                    Q_EMIT activateRequested(QCursor::pos());
                else if (reason == QSystemTrayIcon::Context)
                    Q_EMIT contextMenuRequested(QCursor::pos());
            });
    render();
    const QSet<QWidget*> before = trayWindows();
    m_tray->show();
    const QSet<QWidget*> after = trayWindows() - before;
    if (after.size() == 1) {
        m_window = *after.begin();
        m_window->installEventFilter(this);
        render();
    }
}

TrayStatusItem::~TrayStatusItem() = default;

std::optional<QRect> TrayStatusItem::geometry() const
{
    const QRect rect = m_tray->geometry();
    if (!rect.isValid() || rect.isEmpty())
        return std::nullopt;
    return rect;
}

int TrayStatusItem::slotHeight() const
{
    return m_window ? std::max(16, m_window->height()) : kDefaultSlot;
}

void TrayStatusItem::render()
{
    const int height = slotHeight();
    const qreal dpr = m_window ? m_window->devicePixelRatioF() : qApp->devicePixelRatio();
    // An XEmbed tray does not tell its colour, and trays run light as often as dark, so the
    // item brings its own dark backdrop and always draws light ink on it: legible on any panel.
    const QColor ink = inkFor(PanelShade::Dark);

    // The width we ask the tray for: the widest text expected, or a square for the icon.
    int wanted = height;
    if (!label().isEmpty()) {
        const QString widest = labelGuide().isEmpty() ? label() : labelGuide();
        wanted = std::max({height, StatusImage::lineWidth(icon(), widest, fixedDigits(), height),
                           StatusImage::lineWidth(icon(), label(), fixedDigits(), height)});
    }
    if (m_window && wanted != m_requestedWidth) {
        m_requestedWidth = wanted;
        m_window->setMinimumSize(wanted, height);
        m_window->resize(wanted, height);
    }

    const int available = m_window ? m_window->width() : height;
    QImage image;
    if (label().isEmpty()) {
        image = StatusImage::icon(icon(), height, dpr, ink);
    } else if (StatusImage::lineWidth(icon(), label(), fixedDigits(), height) <= available ||
               compactColumns().isEmpty()) {
        image = StatusImage::line(icon(), label(), fixedDigits(), height, dpr, ink);
    } else {
        image = StatusImage::columns(icon(), compactColumns(), height, dpr, ink);
    }
    // Pad to the slot's width so the tray paints the image at its own size, left-aligned.
    const int width = std::max(available, qRound(image.width() / dpr));
    if (qRound(image.width() / dpr) < width) {
        QImage padded(qRound(width * dpr), image.height(), QImage::Format_ARGB32_Premultiplied);
        padded.fill(Qt::transparent);
        padded.setDevicePixelRatio(dpr);
        QPainter painter(&padded);
        const qreal x = label().isEmpty() ? (width - image.width() / dpr) / 2.0 : 0.0;
        painter.drawImage(QPointF(x, 0), image);
        painter.end();
        image = padded;
    }
    image = StatusImage::onBackdrop(image);
    if (image == *m_shown)
        return;
    *m_shown = image;
    // Same icon, new pixels: the tray repaints from the engine.
    m_tray->setIcon(m_trayIcon);
}

void TrayStatusItem::changed(Aspect aspect)
{
    switch (aspect) {
    case Aspect::Title:
        break;
    case Aspect::ToolTip:
    case Aspect::Text:
        m_tray->setToolTip(label().isEmpty() ? toolTip() : label() + QLatin1Char('\n') + toolTip());
        if (aspect == Aspect::Text)
            render();
        break;
    case Aspect::Icon:
    case Aspect::Font:
        render();
        break;
    case Aspect::Visibility:
        m_tray->setVisible(isVisible());
        break;
    }
}

bool TrayStatusItem::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window && event->type() == QEvent::Resize) {
        // The tray decides the slot; draw for the size it gave us. A new height changes the font
        // and so the width to ask for.
        if (m_window->height() !=
            m_shown->height() / std::max<qreal>(1, m_shown->devicePixelRatio()))
            m_requestedWidth = 0;
        render();
    }
    return StatusItem::eventFilter(watched, event);
}

} // namespace corvanite
