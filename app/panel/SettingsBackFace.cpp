#include "app/panel/SettingsBackFace.h"

#include "app/base/L10n.h"
#include "app/panel/Paint.h"
#include "app/panel/PanelFlipState.h"
#include "app/panel/PanelFonts.h"
#include "app/panel/SymbolButton.h"
#include "app/panel/Theme.h"

#include <QPainter>

namespace corvanite {

SettingsBackFace::SettingsBackFace(PanelFlipState& flip, QWidget* parent)
    : QWidget(parent)
    , m_back(new SymbolButton(QStringLiteral("chevron.left"), 18, Theme::cpu, this))
{
    m_back->move(8, 8);
    m_back->setToolTip(L(QStringLiteral("settings.back")));
    connect(m_back, &QAbstractButton::clicked, &flip, [&flip] { flip.setFlipped(false); });
}

void SettingsBackFace::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    Paint::text(painter, QRectF(m_back->geometry().right() + 2, 8, 200, m_back->height()),
                L(QStringLiteral("settings.back")), PanelFonts::text(12), Theme::cpu);
    Paint::text(painter, QRectF(0, 8, width(), m_back->height()),
                L(QStringLiteral("settings.title")), PanelFonts::text(13, QFont::DemiBold),
                Theme::primaryText, Qt::AlignCenter);
}

} // namespace corvanite
