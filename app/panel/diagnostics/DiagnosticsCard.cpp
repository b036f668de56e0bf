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

#include <cmath>

namespace corvanite {

namespace {
constexpr double kPadH = 10;
constexpr double kPadV = 6;
constexpr double kGap = 7;
constexpr double kSymbolW = 16;
constexpr double kSpacing = 4;
constexpr int kButtonSide = 21;
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
{
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
    for (Line& line : m_lines)
        delete line.button;
    m_lines.clear();
    const QList<Insight> insights = m_services.insights->insights();
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
            line.button->show();
        }
        m_lines.append(line);
    }
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
    const int h = m_lines.isEmpty() ? 0 : qRound(y - kSpacing + m.bottom());
    setFixedHeight(h);
    setVisible(h > 0);
    update();
}

void DiagnosticsCard::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
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
