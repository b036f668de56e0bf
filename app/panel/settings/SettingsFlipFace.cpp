// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/settings/SettingsFlipFace.h"

#include "app/base/L10n.h"
#include "app/panel/PanelFlipState.h"
#include "app/panel/SkinManager.h"
#include "app/panel/settings/SettingsButton.h"
#include "app/panel/settings/SettingsContent.h"
#include "app/panel/settings/SettingsIcon.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QShortcut>
#include <QVBoxLayout>

namespace corvanite {

SettingsFlipFace::SettingsFlipFace(const SettingsServices& services, PanelFlipState& flip,
                                   QWidget* parent)
    : QWidget(parent)
    , m_services(services)
    , m_flip(flip)
    , m_back(new SettingsButton(this))
    , m_content(new SettingsContent(services, this))
{
    setObjectName(QStringLiteral("settings.face"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* header = new QWidget(this);
    header->setFixedHeight(kHeaderHeight);
    auto* headerLayout = new QHBoxLayout(header);
    headerLayout->setContentsMargins(8, 6, 8, 2);
    headerLayout->addWidget(m_back, 0, Qt::AlignLeft | Qt::AlignVCenter);
    headerLayout->addStretch(1);
    layout->addWidget(header);
    layout->addWidget(m_content, 1);

    m_back->setObjectName(QStringLiteral("settings.back"));
    m_back->setFlat(true);
    m_back->setFocusPolicy(Qt::StrongFocus);
    m_back->setCursor(Qt::PointingHandCursor);
    connect(m_back, &QAbstractButton::clicked, this, [this] { m_flip.setFlipped(false); });

    // Escape turns back instead of closing the panel, as the front face's Escape would.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, [this] { m_flip.setFlipped(false); });

    connect(m_services.l10n, &L10n::languageChanged, this, &SettingsFlipFace::retranslate);
    connect(m_services.skins, &SkinManager::skinChanged, this, &SettingsFlipFace::retranslate);
    retranslate();
}

void SettingsFlipFace::retranslate()
{
    const SettingsStyle style = SettingsStyle::of(m_services.skins->skin());
    m_back->setStyleSheet(style.styleSheet());
    // The chevron is a glyph of the symbol font, the word beside it the interface's: two labels.
    delete m_back->layout();
    qDeleteAll(m_back->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly));
    auto* row = new QHBoxLayout(m_back);
    row->setContentsMargins(2, 0, 6, 0);
    row->setSpacing(2);
    QLabel* chevron = SettingsIcon::make(QStringLiteral("chevron.left"), style.accent, 18, m_back);
    auto* text = new QLabel(L(QStringLiteral("settings.back")), m_back);
    text->setFont(style.font(12));
    // The button's style sheet reaches its labels too; only a sheet of their own wins.
    const QString colour =
        QStringLiteral("color: %1; background: transparent;").arg(style.accent.name());
    text->setStyleSheet(colour);
    chevron->setStyleSheet(colour);
    for (QLabel* label : {chevron, text}) {
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        row->addWidget(label);
    }
    m_back->setMinimumSize(row->sizeHint().expandedTo(QSize(60, 26)));
    m_back->setAccessibleName(L(QStringLiteral("settings.back")));
    update();
}

void SettingsFlipFace::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // The face is worked from the keyboard at once: focus starts on the back button.
    if (!focusWidget() || !isAncestorOf(focusWidget()))
        m_back->setFocus(Qt::OtherFocusReason);
}

void SettingsFlipFace::paintEvent(QPaintEvent*)
{
    const SettingsStyle style = SettingsStyle::of(m_services.skins->skin());
    QPainter p(this);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(style.font(14, QFont::DemiBold));
    p.setPen(style.rowLabel);
    p.drawText(QRect(0, 6, width(), kHeaderHeight - 8), Qt::AlignCenter,
               L(QStringLiteral("settings.title")));
    p.setPen(QPen(style.separator, 1));
    p.drawLine(QPointF(0, kHeaderHeight - 0.5), QPointF(width(), kHeaderHeight - 0.5));
}

} // namespace corvanite
