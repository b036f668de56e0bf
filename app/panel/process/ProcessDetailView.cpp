// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/process/ProcessDetailView.h"

#include "app/analysis/PinStore.h"
#include "app/base/Format.h"
#include "app/base/L10n.h"
#include "app/panel/CapsuleButton.h"
#include "app/panel/Paint.h"
#include "app/panel/PanelFonts.h"
#include "app/panel/SymbolButton.h"
#include "app/panel/Theme.h"
#include "app/panel/process/PinnedTrend.h"
#include "app/process/PauseManager.h"
#include "app/sampling/ProcessDetailReader.h"

#include <QPainter>

namespace corvanite {

namespace {
constexpr int kMargin = 10;
constexpr int kGap = 6;
constexpr int kPathLine = 14;
constexpr int kMetricTitle = 11;
constexpr int kMetricValue = 13;
constexpr int kMetricSpacing = 3;
constexpr int kMetricRowGap = 5;
constexpr int kTrendLabel = 11;
constexpr int kTrendHeight = 24;
constexpr int kActionRow = 22;

int metricsHeight()
{
    return 3 * (kMetricTitle + kMetricSpacing + kMetricValue) + 2 * kMetricRowGap;
}
} // namespace

ProcessDetailView::ProcessDetailView(ProcessDetail detail, bool canKill, PinStore& pins,
                                     PauseManager& pause, const Clock& clock,
                                     std::function<void(const QString&)> revealFile,
                                     QWidget* parent)
    : QWidget(parent)
    , m_detail(std::move(detail))
    , m_canKill(canKill)
    , m_pins(pins)
    , m_pause(pause)
    , m_clock(clock)
    , m_revealFile(std::move(revealFile))
{
    if (m_detail.path.startsWith(QLatin1Char('/'))) {
        m_reveal = new SymbolButton(QStringLiteral("arrow.up.forward.square"), 11,
                                    Theme::tertiaryText, this);
        m_reveal->setToolTip(L(QStringLiteral("proc.detail.revealInFinder")));
        connect(m_reveal, &QAbstractButton::clicked, this, [this] {
            if (m_revealFile)
                m_revealFile(m_detail.path);
        });
    }
    m_pin = new SymbolButton(QStringLiteral("pin"), 13, Theme::tertiaryText, this);
    connect(m_pin, &QAbstractButton::clicked, this, [this] { m_pins.toggle(m_detail.name); });
    connect(&m_pins, &PinStore::namesChanged, this, &ProcessDetailView::rebuildActions);
    connect(&m_pins, &PinStore::changed, this, qOverload<>(&QWidget::update));
    connect(&m_pause, &PauseManager::pausedChanged, this, &ProcessDetailView::rebuildActions);
    if (m_canKill) {
        QColor red = Theme::red;
        red.setAlphaF(0.85f);
        m_terminate = new CapsuleButton(QStringLiteral("xmark.circle.fill"),
                                        L(QStringLiteral("proc.detail.terminate")), red, {}, this);
        connect(m_terminate, &QAbstractButton::clicked, this, [this] {
            Q_EMIT terminateRequested(m_detail.pid, m_detail.name, m_detail.startTicks);
        });
    }
    rebuildActions();
}

QList<double> ProcessDetailView::trendValues() const
{
    return m_pins.cpuTracks().value(m_detail.name);
}

bool ProcessDetailView::showsTrend() const
{
    return trendValues().size() > 1;
}

bool ProcessDetailView::showsRevealButton() const
{
    return m_reveal != nullptr;
}

bool ProcessDetailView::pinEnabled() const
{
    return m_pin->isEnabled();
}

QString ProcessDetailView::pinHelp() const
{
    return m_pin->toolTip();
}

QString ProcessDetailView::groupAction() const
{
    return m_groupAction;
}

QString ProcessDetailView::stateAction() const
{
    if (m_canKill)
        return QStringLiteral("terminate");
    if (m_detail.zombie)
        return QStringLiteral("zombie");
    if (m_detail.kernelThread)
        return QStringLiteral("kernelThread");
    return QStringLiteral("protected");
}

QString ProcessDetailView::noTerminateText() const
{
    // A zombie and a kernel thread are not protected, they cannot be signalled at all: say
    // which, so the missing actions make sense.
    if (m_detail.zombie)
        return L(QStringLiteral("proc.detail.zombie"));
    if (m_detail.kernelThread)
        return L(QStringLiteral("proc.detail.kernelThread"));
    return L(QStringLiteral("proc.detail.protected"));
}

int ProcessDetailView::contentHeight() const
{
    int h = kMargin + kPathLine + kGap + metricsHeight() + kGap;
    if (showsTrend())
        h += kTrendLabel + 2 + kTrendHeight + kGap;
    return h + kActionRow + kMargin;
}

void ProcessDetailView::rebuildActions()
{
    const bool pinned = m_pins.isPinned(m_detail.name);
    const bool full = !pinned && m_pins.isFull();
    m_pin->setSymbol(pinned ? QStringLiteral("pin.fill") : QStringLiteral("pin"));
    m_pin->setColor(pinned ? Theme::cpu : Theme::tertiaryText);
    m_pin->setEnabled(!full);
    m_pin->setToolTip(L(pinned ? QStringLiteral("proc.detail.unpin")
                               : (full ? QStringLiteral("proc.detail.pinFull")
                                       : QStringLiteral("proc.detail.pin"))));

    delete m_groupButton;
    m_groupButton = nullptr;
    m_groupAction.clear();
    if (const auto group = m_pause.entry(m_detail.pid)) {
        m_groupAction = QStringLiteral("resume");
        m_groupButton =
            new CapsuleButton(QStringLiteral("play.circle.fill"),
                              L(QStringLiteral("proc.detail.resume")), Theme::green, {}, this);
        const PausedGroup record = *group;
        connect(m_groupButton, &QAbstractButton::clicked, this,
                [this, record] { m_pause.resume(record); });
    } else if (m_pause.canPause(m_detail.pid, m_detail.name)) {
        m_groupAction = QStringLiteral("pause");
        m_groupButton =
            new CapsuleButton(QStringLiteral("pause.circle.fill"),
                              L(QStringLiteral("proc.detail.pause")), Theme::energy, {}, this);
        connect(m_groupButton, &QAbstractButton::clicked, this, [this] {
            Q_EMIT pauseRequested(m_detail.pid, m_detail.name, m_detail.startTicks);
        });
    }
    if (m_groupButton)
        m_groupButton->show();
    placeActions();
    update();
}

void ProcessDetailView::resizeEvent(QResizeEvent*)
{
    placeActions();
}

void ProcessDetailView::placeActions()
{
    const int actionTop = height() - kMargin - kActionRow;
    if (m_reveal)
        m_reveal->move(0, kMargin + (kPathLine - m_reveal->height()) / 2); // placed again in paint
    m_pin->move(kMargin - 4, actionTop + (kActionRow - m_pin->height()) / 2);
    int x = m_pin->geometry().right() + 1 + 8 - 4;
    if (m_groupButton)
        m_groupButton->move(x, actionTop + (kActionRow - m_groupButton->height()) / 2);
    if (m_terminate)
        m_terminate->move(width() - kMargin - m_terminate->width(),
                          actionTop + (kActionRow - m_terminate->height()) / 2);
}

void ProcessDetailView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF r = rect();
    painter.setPen(Qt::NoPen);
    painter.setBrush(Theme::listWell);
    painter.drawRoundedRect(r, 10, 10);

    const double inner = r.width() - 2 * kMargin;
    double y = kMargin;
    // Path line: symbol, path, reveal button, pid on the right.
    Paint::symbol(painter, QRectF(kMargin, y, 12, kPathLine), QStringLiteral("doc.text"), 12,
                  Theme::tertiaryText);
    const QString pidText = L(QStringLiteral("proc.detail.pid"), {m_detail.pid});
    const QFont pidFont = PanelFonts::text(10);
    const double pidW = Paint::textWidth(pidFont, pidText) + 1;
    Paint::text(painter, QRectF(r.width() - kMargin - pidW, y, pidW, kPathLine), pidText, pidFont,
                Theme::faintText, Qt::AlignRight | Qt::AlignVCenter);
    const double pathX = kMargin + 16;
    const double revealW = m_reveal ? m_reveal->width() : 0;
    const QFont pathFont = PanelFonts::mono(10);
    const double pathRoom = inner - 16 - pidW - 8 - revealW;
    const double pathW = std::min(Paint::textWidth(pathFont, m_detail.path) + 1, pathRoom);
    Paint::text(painter, QRectF(pathX, y, pathW, kPathLine), m_detail.path, pathFont,
                Theme::secondaryText, Qt::AlignLeft | Qt::AlignVCenter, Qt::ElideMiddle);
    if (m_reveal) {
        const QPoint at(qRound(pathX + pathW + 1),
                        qRound(y + (kPathLine - m_reveal->height()) / 2.0));
        if (m_reveal->pos() != at)
            m_reveal->move(at);
    }
    y += kPathLine + kGap;

    // Metrics, two per row.
    const quint64 cpuTime = m_detail.cpuUserTime + m_detail.cpuSystemTime;
    const QList<std::pair<QString, QString>> metrics{
        {QStringLiteral("proc.detail.cpuTime"), ProcessDetailReader::cpuTimeString(cpuTime)},
        {QStringLiteral("proc.detail.threads"), QString::number(m_detail.threadCount)},
        {QStringLiteral("proc.detail.residentMemory"), Format::byteString(m_detail.residentBytes)},
        {QStringLiteral("proc.detail.virtualMemory"), Format::byteString(m_detail.virtualBytes)},
        {QStringLiteral("proc.detail.startTime"),
         ProcessDetailReader::relativeTime(m_detail.startDate, m_clock)},
        {QStringLiteral("proc.detail.parent"),
         m_detail.parentPid < 1 ? QStringLiteral("—") : QString::number(m_detail.parentPid)},
    };
    const double columnW = (inner - 12) / 2;
    const QFont titleFont = PanelFonts::text(9);
    const QFont valueFont = PanelFonts::digits(11, QFont::Medium);
    for (int i = 0; i < metrics.size(); ++i) {
        const double mx = kMargin + (i % 2) * (columnW + 12);
        const double my =
            y + (i / 2) * (kMetricTitle + kMetricSpacing + kMetricValue + kMetricRowGap);
        Paint::text(painter, QRectF(mx, my, columnW, kMetricTitle), L(metrics[i].first), titleFont,
                    Theme::tertiaryText);
        Paint::text(painter, QRectF(mx, my + kMetricTitle + kMetricSpacing, columnW, kMetricValue),
                    metrics[i].second, valueFont, Theme::primaryText);
    }
    y += metricsHeight() + kGap;

    const QList<double> trend = trendValues();
    if (trend.size() > 1) {
        Paint::text(
            painter, QRectF(kMargin, y, inner, kTrendLabel),
            L(QStringLiteral("proc.detail.pinnedTrend"), {static_cast<int>(trend.size() / 2)}),
            titleFont, Theme::tertiaryText);
        y += kTrendLabel + 2;
        PinnedTrend::paint(painter, QRectF(kMargin, y, inner, kTrendHeight), trend);
        y += kTrendHeight + kGap;
    }
    if (!m_canKill) {
        const QString text = noTerminateText();
        const double actionTop = r.height() - kMargin - kActionRow;
        const double left =
            m_groupButton ? m_groupButton->geometry().right() + 8.0 : kMargin + 30.0;
        Paint::text(painter, QRectF(left, actionTop, r.width() - kMargin - left, kActionRow), text,
                    PanelFonts::text(10), Theme::tertiaryText, Qt::AlignRight | Qt::AlignVCenter);
    }
}

} // namespace corvanite
