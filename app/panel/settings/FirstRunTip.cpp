// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/settings/FirstRunTip.h"

#include "app/base/L10n.h"
#include "app/panel/settings/SettingsButton.h"
#include "app/panel/settings/SettingsIcon.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace corvanite {

namespace {

QLabel* textLabel(const QString& text, const QFont& font, const QColor& color, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setFont(font);
    label->setWordWrap(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    return label;
}

} // namespace

FirstRunTip::FirstRunTip(const SettingsStyle& style, std::function<void()> onDismiss,
                         QWidget* parent)
    : QWidget(parent)
    , m_style(style)
    , m_onDismiss(std::move(onDismiss))
    , m_dismiss(new SettingsButton(L(QStringLiteral("firstrun.dismiss")), this))
{
    setObjectName(QStringLiteral("firstrun.tip"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, kArrowHeight + 10, 14, 10);
    layout->setSpacing(5);

    auto* header = new QHBoxLayout;
    header->setSpacing(6);
    header->addWidget(SettingsIcon::make(QStringLiteral("gauge.with.dots.needle.67percent"),
                                         style.accent, 18, this));
    header->addWidget(textLabel(L(QStringLiteral("firstrun.title")),
                                style.font(13, QFont::DemiBold), style.rowLabel, this),
                      1);
    layout->addLayout(header);

    const struct {
        const char* icon;
        const char* key;
    } lines[] = {{"cursorarrow.click", "firstrun.left"},
                 {"filemenu.and.cursorarrow", "firstrun.right"},
                 {"gearshape.fill", "firstrun.gear"}};
    for (const auto& line : lines) {
        auto* row = new QHBoxLayout;
        row->setSpacing(6);
        row->addWidget(SettingsIcon::make(QLatin1String(line.icon), style.rowValue, 13, this), 0,
                       Qt::AlignTop);
        row->addWidget(textLabel(L(QLatin1String(line.key)), style.font(11), style.rowValue, this),
                       1);
        layout->addLayout(row);
    }
    layout->addStretch(1);
    m_dismiss->setObjectName(QStringLiteral("firstrun.dismiss"));
    m_dismiss->setFont(style.font(12));
    m_dismiss->setCursor(Qt::PointingHandCursor);
    m_dismiss->setStyleSheet(style.styleSheet());
    layout->addWidget(m_dismiss, 0, Qt::AlignRight);
    connect(m_dismiss, &QAbstractButton::clicked, this, [this] {
        if (m_onDismiss)
            m_onDismiss();
    });
}

void FirstRunTip::setArrow(double arrowX, bool pointsUp)
{
    m_arrowX = arrowX;
    m_pointsUp = pointsUp;
    auto* box = static_cast<QVBoxLayout*>(layout());
    box->setContentsMargins(14, pointsUp ? kArrowHeight + 10 : 10, 14,
                            pointsUp ? 10 : kArrowHeight + 10);
    update();
}

void FirstRunTip::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF all = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const QRectF card =
        m_pointsUp ? all.adjusted(0, kArrowHeight, 0, 0) : all.adjusted(0, 0, 0, -kArrowHeight);
    const double corner = std::max(6.0, m_style.corner + 2);
    QPainterPath path;
    path.addRoundedRect(card, corner, corner);
    const double half = kArrowWidth / 2.0;
    const double x = std::clamp(m_arrowX, corner + half, width() - corner - half);
    QPainterPath arrow;
    if (m_pointsUp) {
        arrow.moveTo(x - half, card.top() + 1);
        arrow.lineTo(x, all.top());
        arrow.lineTo(x + half, card.top() + 1);
    } else {
        arrow.moveTo(x - half, card.bottom() - 1);
        arrow.lineTo(x, all.bottom());
        arrow.lineTo(x + half, card.bottom() - 1);
    }
    arrow.closeSubpath();
    path = path.united(arrow);
    // The card fill is translucent in the glass skin: lay it over the skin's background so the
    // bubble reads the same over any desktop.
    p.setPen(Qt::NoPen);
    p.setBrush(m_style.background);
    p.drawPath(path);
    p.setBrush(m_style.cardFill);
    p.setPen(QPen(m_style.cardBorder, 1));
    p.drawPath(path);
}

} // namespace corvanite
