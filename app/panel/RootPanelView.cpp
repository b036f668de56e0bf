// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/RootPanelView.h"

#include "app/base/L10n.h"
#include "app/panel/PanelAnchor.h"
#include "app/panel/PanelCardShape.h"
#include "app/panel/PanelFlipState.h"
#include "app/panel/PanelServices.h"
#include "app/panel/SkinCardBackground.h"
#include "app/panel/SkinManager.h"
#include "app/panel/glass/StatsPanelView.h"
#include "app/panel/process/ProcessListWell.h"
#include "app/panel/settings/SettingsFlipFace.h"

#include <QPaintEvent>
#include <QPainter>
#include <QVariantAnimation>

#include <cmath>

namespace corvanite {

namespace {
// Response 0.55 s, damping fraction 0.85: settled to a thousandth after about 0.7 s.
constexpr double kResponse = 0.55;
constexpr double kDamping = 0.85;
constexpr int kTurnMs = 700;
} // namespace

double RootPanelView::spring(double progress)
{
    const double t = progress * kTurnMs / 1000.0;
    const double omega = 2 * M_PI / kResponse;
    const double decay = kDamping * omega;
    const double omegaD = omega * std::sqrt(1 - kDamping * kDamping);
    const double x =
        1 - std::exp(-decay * t) * (std::cos(omegaD * t) + decay / omegaD * std::sin(omegaD * t));
    return progress >= 1 ? 1.0 : x;
}

RootPanelView::RootPanelView(const PanelServices& services, SkinManager& skins, PanelAnchor& anchor,
                             bool windowed, QWidget* parent)
    : QWidget(parent)
    , m_services(services)
    , m_skins(skins)
    , m_anchor(anchor)
    , m_windowed(windowed)
    , m_animation(new QVariantAnimation(this))
{
    m_animation->setDuration(kTurnMs);
    QEasingCurve curve;
    curve.setCustomType(&RootPanelView::spring);
    m_animation->setEasingCurve(curve);
    connect(m_animation, &QVariantAnimation::valueChanged, this,
            [this](const QVariant& value) { setAngle(value.toDouble()); });
    connect(m_animation, &QVariantAnimation::finished, this, [this] {
        m_frontShot = {};
        m_backShot = {};
        setAngle(m_angle);
    });
    connect(&m_skins, &SkinManager::skinChanged, this, &RootPanelView::rebuildFaces);
    connect(m_services.l10n, &L10n::languageChanged, this, &RootPanelView::rebuildFaces);
    connect(m_services.flip, &PanelFlipState::flippedChanged, this,
            [this](bool animated) { turn(m_services.flip->flipped(), animated); });
    connect(&m_anchor, &PanelAnchor::arrowXChanged, this, [this] {
        if (m_front)
            m_front->setGeometry(faceRect());
        if (m_back)
            m_back->setGeometry(faceRect());
        update();
    });
    rebuildFaces();
    turn(m_services.flip->flipped(), false);
}

RootPanelView::~RootPanelView() = default;

void RootPanelView::setFaceFactory(PanelSkin skin, FaceFactory factory)
{
    m_factories.insert(skin, std::move(factory));
    rebuildFaces();
}

QRect RootPanelView::faceRect() const
{
    if (m_windowed)
        return rect();
    const int arrow = static_cast<int>(PanelAnchor::kArrowHeight);
    return m_anchor.pointsUp() ? rect().adjusted(0, arrow, 0, 0) : rect().adjusted(0, 0, 0, -arrow);
}

bool RootPanelView::isTurning() const
{
    return m_animation->state() == QAbstractAnimation::Running;
}

void RootPanelView::rebuildFaces()
{
    // The expanded process survives a change of skin or language; the history window is
    // shared already.
    std::optional<qint32> expandedPid;
    std::optional<ProcessDetail> detail;
    if (const auto* list = m_front ? m_front->findChild<ProcessListWell*>() : nullptr) {
        expandedPid = list->expandedPid();
        detail = list->detail();
    }
    delete m_front;
    const PanelSkin skin = m_skins.skin();
    const FaceFactory factory = m_factories.value(skin);
    m_front = factory ? factory(m_services, this) : new StatsPanelView(m_services, this);
    if (auto* list = expandedPid ? m_front->findChild<ProcessListWell*>() : nullptr)
        list->restoreExpansion(*expandedPid, detail);
    m_front->setGeometry(faceRect());
    // The settings face restyles itself for a new skin; it is built once, since the skin picker
    // that changed the skin sits on it and is still at work.
    if (m_back) {
        setAngle(m_angle);
        return;
    }
    SettingsServices settings = m_services.settingsFace;
    if (!settings.settings)
        settings.settings = m_services.settings;
    if (!settings.l10n)
        settings.l10n = m_services.l10n;
    if (!settings.skins)
        settings.skins = &m_skins;
    m_back = new SettingsFlipFace(settings, *m_services.flip, this);
    m_front->setGeometry(faceRect());
    m_back->setGeometry(faceRect());
    setAngle(m_angle);
}

void RootPanelView::turn(bool flipped, bool animated)
{
    const double target = flipped ? 180 : 0;
    m_animation->stop();
    if (!animated || !isVisible()) {
        m_frontShot = {};
        m_backShot = {};
        setAngle(target);
        return;
    }
    m_frontShot = snapshot(m_front);
    m_backShot = snapshot(m_back);
    m_animation->setStartValue(m_angle);
    m_animation->setEndValue(target);
    m_animation->start();
}

void RootPanelView::setAngle(double angle)
{
    m_angle = angle;
    const bool turning = isTurning();
    // Only the face that is up takes clicks; both hide while the card turns as a picture.
    if (m_front)
        m_front->setVisible(!turning && m_angle <= 90);
    if (m_back)
        m_back->setVisible(!turning && m_angle > 90);
    update();
}

QPixmap RootPanelView::snapshot(QWidget* face) const
{
    const qreal dpr = devicePixelRatioF();
    QPixmap shot(size() * dpr);
    shot.setDevicePixelRatio(dpr);
    shot.fill(Qt::transparent);
    if (!face)
        return shot;
    QPainter painter(&shot);
    const PanelSkin skin = m_skins.skin();
    PanelCardShape shape;
    shape.arrowX = m_anchor.clamped(width());
    shape.pointsUp = m_anchor.pointsUp();
    if (m_windowed)
        shape.arrowHeight = 0;
    SkinCardBackground::paint(painter, QRectF(rect()), skin, shape);
    face->render(&painter, faceRect().topLeft(), QRegion(), QWidget::DrawChildren);
    return shot;
}

void RootPanelView::resizeEvent(QResizeEvent*)
{
    if (m_front)
        m_front->setGeometry(faceRect());
    if (m_back)
        m_back->setGeometry(faceRect());
}

void RootPanelView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (isTurning() && !m_frontShot.isNull()) {
        const bool backUp = m_angle > 90;
        const double shown = backUp ? m_angle - 180 : m_angle;
        const QPointF centre = QRectF(rect()).center();
        QTransform turn;
        turn.translate(centre.x(), centre.y());
        turn.rotate(shown, Qt::YAxis);
        turn.translate(-centre.x(), -centre.y());
        painter.setTransform(turn);
        painter.drawPixmap(0, 0, backUp ? m_backShot : m_frontShot);
        return;
    }
    PanelCardShape shape;
    shape.arrowX = m_anchor.clamped(width());
    shape.pointsUp = m_anchor.pointsUp();
    if (m_windowed) {
        shape.arrowHeight = 0;
        shape.corner = 0;
    }
    const PanelSkin skin = m_skins.skin();
    const QString key = QStringLiteral("%1 %2 %3 %4")
                            .arg(static_cast<int>(skin))
                            .arg(shape.arrowX)
                            .arg(shape.pointsUp)
                            .arg(m_windowed);
    Paint::cached(painter, event->region(), m_background, key, size(), devicePixelRatioF(),
                  [&](QPainter& p) { SkinCardBackground::paint(p, QRectF(rect()), skin, shape); });
}

} // namespace corvanite
