// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/diagnostics/DiagnosticsCard.h"

#include "app/analysis/InsightEngine.h"
#include "app/base/L10n.h"
#include "app/panel/ConfirmationDialog.h"
#include "app/panel/Paint.h"
#include "app/panel/PanelServices.h"
#include "app/panel/SymbolButton.h"
#include "app/panel/Theme.h"
#include "app/panel/VitalsTheme.h"
#include "app/process/ProcessTerminator.h"
#include "app/settings/SettingsManager.h"

#include <QFontMetricsF>
#include <QMessageBox>
#include <QPainter>
#include <QVariantAnimation>

#include <cmath>

namespace corvanite {

namespace {
constexpr double kPadH = 10;
constexpr double kPadV = 6;
constexpr double kGap = 7;
constexpr double kSymbolW = 16;
constexpr double kSpacing = 4;
constexpr int kButtonSide = 21;
constexpr int kTransitionMs = 350;
} // namespace

DiagnosticsCard::Look DiagnosticsCard::look(Insight::Kind kind, PanelSkin skin)
{
    const bool glass = skin == PanelSkin::Glass;
    switch (kind) {
    case Insight::Kind::PressureCulprit:
        return {QStringLiteral("exclamationmark.triangle.fill"),
                glass ? Theme::red : VitalsTheme::alarm};
    case Insight::Kind::Leak:
        return {QStringLiteral("arrow.up.right.circle.fill"),
                glass ? Theme::networkUp : VitalsTheme::resp};
    case Insight::Kind::SleepBlocker:
        return {QStringLiteral("moon.zzz.fill"), glass ? Theme::fan : VitalsTheme::spo2};
    case Insight::Kind::IdleHog:
        return {QStringLiteral("zzz"), glass ? Theme::memory : VitalsTheme::gpu};
    }
    return {};
}

DiagnosticsCard::DiagnosticsCard(const PanelServices& services, ProcessViewStyle style,
                                 QWidget* parent)
    : QWidget(parent)
    , m_services(services)
    , m_style(std::move(style))
    , m_flow(*services.terminator,
             Preauthorization{[settings = services.settings](const QString& name) {
                                  return settings->isPreauthorized(name);
                              },
                              [settings = services.settings](const QString& name) {
                                  settings->addPreauthorized(name);
                              }})
    , m_transition(new QVariantAnimation(this))
{
    m_transition->setDuration(kTransitionMs);
    m_transition->setEasingCurve(QEasingCurve::InOutCubic);
    connect(m_transition, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        m_shown = value.toDouble();
        layoutLines();
    });
    connect(m_transition, &QVariantAnimation::finished, this, &DiagnosticsCard::finishTransition);
    connect(services.insights, &InsightEngine::insightsChanged, this, &DiagnosticsCard::rebuild);
    rebuild();
}

QList<bool> DiagnosticsCard::terminateButtons() const
{
    QList<bool> shown;
    for (const Line& line : m_lines)
        shown.append(line.button != nullptr);
    return shown;
}

double DiagnosticsCard::messageWidth() const
{
    const QMargins m = m_style.outerMargins;
    return std::max(40.0, width() - m.left() - m.right() - 2 * kPadH - kSymbolW - kGap -
                              (kGap + kButtonSide));
}

void DiagnosticsCard::rebuild()
{
    const bool wasEmpty = m_lines.isEmpty();
    const QList<Insight> next = m_services.insights->insights();
    // Leaving: keep a picture of the last lines to slide away.
    if (m_built && !wasEmpty && next.isEmpty() && !inTransition() && width() > 0)
        takeShot();
    for (Line& line : m_lines)
        delete line.button;
    m_lines.clear();
    const QList<Insight>& insights = next;
    for (qsizetype i = 0; i < insights.size(); ++i) {
        Line line{insights[i], 0, nullptr};
        if (m_services.terminator->isKillable(line.insight.pid, line.insight.processName)) {
            QColor tint = look(line.insight.kind, m_style.skin).tint;
            tint.setAlphaF(0.85f);
            line.button = new SymbolButton(QStringLiteral("xmark.circle.fill"), 15, tint, this);
            line.button->setFixedSize(kButtonSide, kButtonSide);
            line.button->setToolTip(L(QStringLiteral("proc.detail.terminate")));
            const int index = static_cast<int>(i);
            connect(line.button, &QAbstractButton::clicked, this,
                    [this, index] { terminate(index); });
            line.button->setVisible(!inTransition());
        }
        m_lines.append(line);
    }
    const bool entering = m_built && wasEmpty && !m_lines.isEmpty();
    const bool leaving = m_built && !wasEmpty && m_lines.isEmpty();
    const bool moving = m_transition->state() == QAbstractAnimation::Running;
    m_built = true;
    if (entering && width() > 0) {
        // Entering: lay the lines out at full height, picture them, then grow from nothing.
        m_shot = QPixmap();
        layoutLines();
        takeShot();
        transition(moving ? m_shown : 0, 1);
    } else if (leaving && inTransition()) {
        transition(moving ? m_shown : 1, 0);
    } else if (!m_lines.isEmpty() && moving && m_transition->endValue().toDouble() > 0) {
        // New lines while sliding in: the picture shows them instead.
        m_shot = QPixmap();
        layoutLines();
        takeShot();
        layoutLines();
    } else {
        layoutLines();
    }
}

void DiagnosticsCard::takeShot()
{
    m_shot = grab();
    m_shotHeight = height();
    for (const Line& line : m_lines)
        if (line.button)
            line.button->hide();
}

void DiagnosticsCard::transition(double from, double target)
{
    m_transition->stop();
    m_shown = from;
    if (!window()->isVisible()) {
        // Nobody watches a card that is not on screen: it takes its end state at once.
        finishTransition();
        return;
    }
    m_transition->setStartValue(from);
    m_transition->setEndValue(target);
    m_transition->start();
}

void DiagnosticsCard::finishTransition()
{
    m_shot = QPixmap();
    for (const Line& line : m_lines)
        if (line.button)
            line.button->show();
    layoutLines();
}

void DiagnosticsCard::resizeEvent(QResizeEvent*)
{
    layoutLines();
}

void DiagnosticsCard::layoutLines()
{
    const QFontMetricsF metrics(m_style.lineFont());
    const double lineHeight = metrics.height();
    const QMargins m = m_style.outerMargins;
    double y = m.top();
    for (Line& line : m_lines) {
        const QRectF bounds = metrics.boundingRect(QRectF(0, 0, messageWidth(), 1000),
                                                   Qt::TextWordWrap, line.insight.message);
        const double textH = std::min(bounds.height(), 2 * lineHeight);
        line.height = std::ceil(std::max(textH, static_cast<double>(kButtonSide)) + 2 * kPadV);
        if (line.button)
            line.button->move(qRound(width() - m.right() - kPadH - kButtonSide),
                              qRound(y + (line.height - kButtonSide) / 2));
        y += line.height + kSpacing;
    }
    int h = m_lines.isEmpty() ? 0 : qRound(y - kSpacing + m.bottom());
    if (inTransition())
        h = static_cast<int>(std::lround(std::clamp(m_shown, 0.0, 1.0) * m_shotHeight));
    setFixedHeight(h);
    setVisible(h > 0 || (inTransition() && m_transition->endValue().toDouble() > 0));
    update();
}

void DiagnosticsCard::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (inTransition()) {
        // The picture hangs from above the top edge and comes down as the card opens.
        const double shown = std::clamp(m_shown, 0.0, 1.0);
        painter.setOpacity(shown);
        painter.drawPixmap(QPointF(0, -(1 - shown) * m_shotHeight), m_shot);
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    const QMargins m = m_style.outerMargins;
    const QFont font = m_style.lineFont();
    const double lineHeight = QFontMetricsF(font).height();
    double y = m.top();
    for (const Line& line : m_lines) {
        const Look l = look(line.insight.kind, m_style.skin);
        const QRectF box(m.left() + 0.25, y + 0.25, width() - m.left() - m.right() - 0.5,
                         line.height - 0.5);
        QColor fill = l.tint;
        fill.setAlphaF(0.10f);
        QColor outline = l.tint;
        outline.setAlphaF(0.35f);
        painter.setBrush(fill);
        painter.setPen(QPen(outline, 0.5));
        painter.drawRoundedRect(box, m_style.cornerRadius, m_style.cornerRadius);
        Paint::symbol(painter, QRectF(box.left() + kPadH, box.top(), kSymbolW, box.height()),
                      l.symbol, 14, l.tint);
        const double textX = box.left() + kPadH + kSymbolW + kGap;
        const QRectF textRect(textX, box.top() + kPadV, messageWidth(), box.height() - 2 * kPadV);
        painter.setFont(font);
        painter.setPen(m_style.primaryText);
        // At most two lines: the second is cut with an ellipsis when the message is longer.
        const QFontMetricsF metrics(font);
        const QRectF full = metrics.boundingRect(QRectF(0, 0, textRect.width(), 1000),
                                                 Qt::TextWordWrap, line.insight.message);
        if (full.height() <= 2 * lineHeight + 0.5) {
            painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap,
                             line.insight.message);
        } else {
            painter.drawText(
                textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                metrics.elidedText(line.insight.message, Qt::ElideRight,
                                   textRect.width() * 2 - metrics.averageCharWidth() * 4));
        }
        y += line.height + kSpacing;
    }
}

void DiagnosticsCard::terminate(int index)
{
    if (index < 0 || index >= m_lines.size())
        return;
    const Insight insight = m_lines[index].insight;
    m_flow.request(insight.pid, insight.processName);
    if (!m_flow.dialogShown())
        return;
    // This dialog holds the panel open as well: closing the panel under it would drop the
    // finding the user is answering about.
    m_dialog = ConfirmationDialog::open(
        this, m_flow.title(), L(QStringLiteral("proc.kill.message")),
        {{L(QStringLiteral("proc.kill.action")), true, false, [this] { m_flow.kill(); }},
         {L(QStringLiteral("proc.kill.always")), true, false, [this] { m_flow.confirmAlways(); }},
         {L(QStringLiteral("proc.kill.cancel")), false, true, [this] { m_flow.cancel(); }}},
        m_services.setDialogHold);
}

} // namespace corvanite
