// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/settings/SettingsContent.h"

#include "app/base/AppLanguage.h"
#include "app/base/L10n.h"
#include "app/comfort/FanHelperClient.h"
#include "app/panel/SkinManager.h"
#include "app/panel/settings/SettingsButton.h"
#include "app/panel/settings/SettingsCheckBox.h"
#include "app/panel/settings/SettingsCheckRow.h"
#include "app/panel/settings/SettingsIcon.h"
#include "app/panel/settings/SettingsRow.h"
#include "app/panel/settings/SettingsSection.h"
#include "app/panel/settings/SettingsSwitch.h"
#include "app/settings/LaunchAtLogin.h"
#include "app/settings/SettingsManager.h"
#include "app/settings/UpdateChecker.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <cmath>

namespace corvanite {

namespace {

const QList<double> kIntervals{1, 2, 5};
const QList<double> kCpuThresholds{70, 75, 80, 85, 90, 95};
const QList<double> kMemThresholds{80, 85, 90, 95};
const QList<double> kTempThresholds{75, 80, 85, 90, 95};
const QList<double> kComfortTargets{35, 38, 40, 42};

QString metricDisplayKey(MenuBarMetric metric)
{
    switch (metric) {
    case MenuBarMetric::Cpu:
        return QStringLiteral("settings.menubar.metric.cpu");
    case MenuBarMetric::Memory:
        return QStringLiteral("settings.module.memory");
    case MenuBarMetric::Network:
        return QStringLiteral("settings.module.network");
    }
    return {};
}

QString percentChoice(double value)
{
    return QString::number(qRound(value)) + QLatin1Char('%');
}

void setTextColor(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::ButtonText, color);
    widget->setPalette(palette);
}

} // namespace

SettingsContent::SettingsContent(const SettingsServices& services, QWidget* parent)
    : QWidget(parent)
    , m_services(services)
    , m_style(SettingsStyle::of(services.skins->skin()))
    , m_fans(services.fans)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidgetResizable(true);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setFocusPolicy(Qt::NoFocus);
    m_scroll->viewport()->setAutoFillBackground(false);
    layout->addWidget(m_scroll);

    m_fanRefresh.setInterval(kFanRefreshIntervalMs);
    connect(&m_fanRefresh, &QTimer::timeout, this, [this] {
        if (m_fans)
            m_fans->refreshFanRPM();
    });

    SettingsManager* s = m_services.settings;
    const auto refreshAll = [this] { refresh(); };
    for (auto signal :
         {&SettingsManager::refreshIntervalChanged, &SettingsManager::menuBarModeChanged,
          &SettingsManager::showNetSpeedChanged, &SettingsManager::menuBarMetricsChanged,
          &SettingsManager::menuBarShowIconChanged, &SettingsManager::notchModeChanged,
          &SettingsManager::processRowCountChanged, &SettingsManager::showCoreStripChanged,
          &SettingsManager::hiddenModulesChanged, &SettingsManager::tempUnitChanged,
          &SettingsManager::launchAtLoginChanged, &SettingsManager::alertsEnabledChanged,
          &SettingsManager::cpuAlarmThresholdChanged, &SettingsManager::memAlarmThresholdChanged,
          &SettingsManager::tempAlarmThresholdChanged, &SettingsManager::killWhitelistChanged,
          &SettingsManager::comfortTargetCChanged, &SettingsManager::updateAutoCheckChanged})
        connect(s, signal, this, refreshAll);
    connect(s, &SettingsManager::comfortEnabledChanged, this, [this] {
        refresh();
        // The refresh task starts over for the new value.
        m_fanRefresh.stop();
        updateFanRefresh();
    });
    // A new language or skin changes every text and colour: the view is built again, after the
    // control that caused it has finished its own signal.
    connect(m_services.l10n, &L10n::languageChanged, this, &SettingsContent::rebuild,
            Qt::QueuedConnection);
    connect(m_services.skins, &SkinManager::skinChanged, this, &SettingsContent::rebuild,
            Qt::QueuedConnection);
    if (m_fans) {
        connect(m_fans, &FanController::statusChanged, this, refreshAll);
        connect(m_fans, &FanController::surfaceCChanged, this, refreshAll);
        connect(m_fans, &FanController::fanRPMChanged, this, refreshAll);
    }
    if (m_services.helper)
        connect(m_services.helper, &FanHelperClient::stateChanged, this, refreshAll);
    if (m_services.updates) {
        connect(m_services.updates, &UpdateChecker::manualStateChanged, this, refreshAll);
        connect(m_services.updates, &UpdateChecker::availableVersionChanged, this, refreshAll);
    }
    // Tabbing through a long view keeps the focused control in sight.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && m_column && m_column->isAncestorOf(now))
            m_scroll->ensureWidgetVisible(now, 8, 24);
    });
    build();
}

SettingsContent::~SettingsContent()
{
    // Destroyed while the approval button was still up: it leaves the screen now.
    if (m_approvalShown && m_fans)
        m_fans->retryAfterApproval();
}

void SettingsContent::build()
{
    m_style = SettingsStyle::of(m_services.skins->skin());
    m_refreshers.clear();
    m_preauth = nullptr;
    m_preauthList = nullptr;
    m_preauthBuilt = false;

    m_column = new QWidget;
    m_column->setObjectName(QStringLiteral("settings.column"));
    // On the whole view, so the scroll bar is dressed as well.
    setStyleSheet(m_style.styleSheet());
    m_columnLayout = new QVBoxLayout(m_column);
    m_columnLayout->setContentsMargins(14, 12, 14, 16);
    m_columnLayout->setSpacing(16);
    buildGeneral();
    buildMenuBar();
    buildAlerts();
    buildComfort();
    buildPreauth();
    buildUpdate();
    buildPanel();
    m_columnLayout->addStretch(1);
    m_scroll->setWidget(m_column);
    refresh();
}

void SettingsContent::rebuild()
{
    const QWidget* focused = QApplication::focusWidget();
    const QString focusName =
        focused && m_column && m_column->isAncestorOf(focused) ? focused->objectName() : QString();
    const int scrolled = m_scroll->verticalScrollBar()->value();
    build();
    m_scroll->verticalScrollBar()->setValue(scrolled);
    if (!focusName.isEmpty()) {
        if (auto* again = m_column->findChild<QWidget*>(focusName))
            again->setFocus(Qt::OtherFocusReason);
    }
}

void SettingsContent::refresh()
{
    for (const auto& refresher : m_refreshers)
        refresher();
    refreshPreauthList();
    refreshApproval();
}

SettingsSection* SettingsContent::addSection(const QString& titleKey)
{
    auto* section = new SettingsSection(m_style, L(titleKey), m_column);
    section->setObjectName(titleKey);
    m_columnLayout->addWidget(section);
    return section;
}

QComboBox* SettingsContent::picker(const QString& name,
                                   const QList<std::pair<QString, QVariant>>& choices,
                                   std::function<QVariant()> read,
                                   std::function<void(const QVariant&)> write)
{
    auto* combo = new QComboBox;
    combo->setObjectName(name);
    combo->setFont(m_style.font(12));
    combo->setFocusPolicy(Qt::StrongFocus);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    combo->setMaximumWidth(190);
    for (const auto& [text, value] : choices)
        combo->addItem(text, value);
    connect(combo, &QComboBox::activated, this, [this, combo, write](int index) {
        write(combo->itemData(index));
        refresh();
    });
    m_refreshers.push_back([combo, read] {
        const QSignalBlocker blocker(combo);
        combo->setCurrentIndex(combo->findData(read()));
    });
    return combo;
}

SettingsSwitch* SettingsContent::toggle(const QString& name, std::function<bool()> read,
                                        std::function<void(bool)> write)
{
    auto* control = new SettingsSwitch(m_style.accent, m_style.chrome.lighter(160));
    control->setObjectName(name);
    connect(control, &QAbstractButton::clicked, this, [this, write](bool on) {
        write(on);
        // The store may refuse (a login item that could not be registered): show what it holds.
        refresh();
    });
    m_refreshers.push_back([control, read] {
        const QSignalBlocker blocker(control);
        control->setChecked(read());
    });
    return control;
}

SettingsButton* SettingsContent::button(const QString& name, const QString& text,
                                        const QString& icon, const QColor& iconColor)
{
    auto* b = new SettingsButton;
    b->setObjectName(name);
    b->setFont(m_style.font(12));
    b->setFocusPolicy(Qt::StrongFocus);
    b->setCursor(Qt::PointingHandCursor);
    if (icon.isEmpty()) {
        b->setText(text);
        return b;
    }
    // Symbol and text side by side inside the button, the symbol in its own colour.
    auto* layout = new QHBoxLayout(b);
    layout->setContentsMargins(8, 2, 10, 2);
    layout->setSpacing(6);
    QLabel* symbol = SettingsIcon::make(icon, iconColor, 15, b);
    symbol->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto* label = new QLabel(text, b);
    label->setObjectName(name + QStringLiteral(".text"));
    label->setFont(m_style.font(12));
    label->setWordWrap(true);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    setTextColor(label, m_style.rowLabel);
    layout->addWidget(symbol);
    layout->addWidget(label, 1);
    b->setMinimumHeight(30);
    b->setAccessibleName(text);
    return b;
}

QLabel* SettingsContent::statusLabel(const QString& name)
{
    auto* label = new QLabel;
    label->setObjectName(name);
    label->setFont(m_style.font(12));
    label->setWordWrap(true);
    setTextColor(label, m_style.rowValue);
    return label;
}

void SettingsContent::buildGeneral()
{
    SettingsManager* s = m_services.settings;
    L10n* l10n = m_services.l10n;
    SettingsSection* section = addSection(QStringLiteral("settings.section.general"));

    QList<std::pair<QString, QVariant>> languages;
    for (AppLanguage language : allAppLanguages())
        languages.append({displayName(language), rawValue(language)});
    section->addRow(L(QStringLiteral("settings.language")), QStringLiteral("globe"),
                    picker(
                        QStringLiteral("settings.language"), languages,
                        [l10n] { return QVariant(rawValue(l10n->language())); },
                        [l10n](const QVariant& raw) {
                            if (const auto language = appLanguageFromRaw(raw.toString()))
                                l10n->setLanguage(*language);
                        }));

    QList<std::pair<QString, QVariant>> intervals;
    for (double seconds : kIntervals)
        intervals.append(
            {L(QStringLiteral("settings.interval.value"), {qRound(seconds)}), seconds});
    section->addRow(L(QStringLiteral("settings.interval")), QStringLiteral("timer"),
                    picker(
                        QStringLiteral("settings.interval"), intervals,
                        [s] { return QVariant(s->refreshInterval()); },
                        [s](const QVariant& v) { s->setRefreshInterval(v.toDouble()); }));

    QList<std::pair<QString, QVariant>> units;
    for (TempUnit unit : allTempUnits())
        units.append({displayName(unit), rawValue(unit)});
    section->addRow(L(QStringLiteral("settings.tempunit")), QStringLiteral("thermometer.medium"),
                    picker(
                        QStringLiteral("settings.tempunit"), units,
                        [s] { return QVariant(rawValue(s->tempUnit())); },
                        [s](const QVariant& raw) {
                            if (const auto unit = tempUnitFromRaw(raw.toString()))
                                s->setTempUnit(*unit);
                        }));

    section->addRow(L(QStringLiteral("settings.launchAtLogin")), QStringLiteral("power"),
                    toggle(
                        QStringLiteral("settings.launchAtLogin"),
                        [s] { return s->launchAtLogin(); },
                        [s](bool on) { s->setLaunchAtLogin(on); }));

    LaunchAtLogin* launch = m_services.launchAtLogin;
    SettingsButton* approve =
        button(QStringLiteral("settings.launchAtLogin.approve"),
               L(QStringLiteral("settings.launchAtLogin.approve")),
               QStringLiteral("exclamationmark.triangle.fill"), m_style.warning);
    connect(approve, &QAbstractButton::clicked, this, [launch] {
        if (launch)
            launch->openSystemSettings();
    });
    QWidget* holder = section->addWidget(approve);
    m_refreshers.push_back(
        [holder, launch] { holder->setVisible(launch && launch->requiresApproval()); });
}

void SettingsContent::buildMenuBar()
{
    SettingsManager* s = m_services.settings;
    SettingsSection* section = addSection(QStringLiteral("settings.section.menubar"));

    QList<std::pair<QString, QVariant>> modes;
    for (MenuBarMode mode : {MenuBarMode::Icon, MenuBarMode::Text})
        modes.append({L(QStringLiteral("settings.menubar.") + rawValue(mode)), rawValue(mode)});
    section->addRow(L(QStringLiteral("settings.menubar.mode")), QStringLiteral("menubar.rectangle"),
                    picker(
                        QStringLiteral("settings.menubar.mode"), modes,
                        [s] { return QVariant(rawValue(s->menuBarMode())); },
                        [s](const QVariant& raw) {
                            if (const auto mode = menuBarModeFromRaw(raw.toString()))
                                s->setMenuBarMode(*mode);
                        }));

    SettingsRow* showIcon = section->addRow(
        L(QStringLiteral("settings.menubar.showIcon")), QStringLiteral("waveform.path.ecg"),
        toggle(
            QStringLiteral("settings.menubar.showIcon"), [s] { return s->menuBarShowIcon(); },
            [s](bool on) { s->setMenuBarShowIcon(on); }));

    QList<std::pair<QString, QVariant>> notchModes;
    for (NotchMode mode : allNotchModes())
        notchModes.append(
            {L(QStringLiteral("settings.menubar.notch.") + rawValue(mode)), rawValue(mode)});
    SettingsRow* notch = section->addRow(
        L(QStringLiteral("settings.menubar.notch")), QStringLiteral("laptopcomputer"),
        picker(
            QStringLiteral("settings.menubar.notch"), notchModes,
            [s] { return QVariant(rawValue(s->notchMode())); },
            [s](const QVariant& raw) {
                if (const auto mode = notchModeFromRaw(raw.toString()))
                    s->setNotchMode(*mode);
            }));

    section->addSubheading(L(QStringLiteral("settings.menubar.composition")));
    QList<SettingsCheckRow*> metricRows;
    for (MenuBarMetric metric : allMenuBarMetrics()) {
        auto* row = new SettingsCheckRow(
            m_style, L(metricDisplayKey(metric)), section->nextRowIsFirst(),
            [s, metric] { return s->isMenuBarMetricVisible(metric); },
            [s, metric](bool on) { s->setMenuBarMetric(metric, on); });
        row->box()->setObjectName(QStringLiteral("settings.menubar.metric.") + rawValue(metric));
        section->addRow(row);
        metricRows.append(row);
    }
    QLabel* compositionHint =
        section->addHint(L(QStringLiteral("settings.menubar.composition.hint")));
    QLabel* netSpeedHint = section->addHint(L(QStringLiteral("settings.menubar.netspeed.hint")));
    QLabel* notchHint = section->addHint(L(QStringLiteral("settings.menubar.notch.hint")));
    compositionHint->setObjectName(QStringLiteral("settings.menubar.composition.hint"));
    netSpeedHint->setObjectName(QStringLiteral("settings.menubar.netspeed.hint"));
    notchHint->setObjectName(QStringLiteral("settings.menubar.notch.hint"));

    m_refreshers.push_back(
        [s, showIcon, notch, metricRows, compositionHint, netSpeedHint, notchHint] {
            const bool iconMode = s->menuBarMode() == MenuBarMode::Icon;
            showIcon->setDimmed(iconMode);
            notch->setDimmed(iconMode);
            for (SettingsCheckRow* row : metricRows) {
                row->refresh();
                row->control()->setEnabled(!iconMode);
            }
            compositionHint->setVisible(!iconMode);
            netSpeedHint->setVisible(iconMode);
            notchHint->setVisible(!iconMode);
        });
}

void SettingsContent::buildAlerts()
{
    SettingsManager* s = m_services.settings;
    SettingsSection* section = addSection(QStringLiteral("settings.section.alerts"));
    section->addRow(L(QStringLiteral("settings.alerts.enable")), QStringLiteral("bell.badge"),
                    toggle(
                        QStringLiteral("settings.alerts.enable"),
                        [s] { return s->alertsEnabled(); },
                        [s](bool on) { s->setAlertsEnabled(on); }));

    const auto percentChoices = [](const QList<double>& values) {
        QList<std::pair<QString, QVariant>> choices;
        for (double value : values)
            choices.append({percentChoice(value), value});
        return choices;
    };
    section->addRow(L(QStringLiteral("settings.alerts.cpu")), QStringLiteral("cpu"),
                    picker(
                        QStringLiteral("settings.alerts.cpu"), percentChoices(kCpuThresholds),
                        [s] { return QVariant(s->cpuAlarmThreshold()); },
                        [s](const QVariant& v) { s->setCpuAlarmThreshold(v.toDouble()); }));
    section->addRow(L(QStringLiteral("settings.alerts.memory")), QStringLiteral("memorychip"),
                    picker(
                        QStringLiteral("settings.alerts.memory"), percentChoices(kMemThresholds),
                        [s] { return QVariant(s->memAlarmThreshold()); },
                        [s](const QVariant& v) { s->setMemAlarmThreshold(v.toDouble()); }));

    QComboBox* temp = picker(
        QStringLiteral("settings.alerts.temp"), {},
        [s] { return QVariant(s->tempAlarmThreshold()); },
        [s](const QVariant& v) { s->setTempAlarmThreshold(v.toDouble()); });
    section->addRow(L(QStringLiteral("settings.alerts.temp")), QStringLiteral("thermometer.high"),
                    temp);
    // The labels follow the unit; the values stay in degrees Celsius.
    m_refreshers.insert(m_refreshers.end() - 1,
                        [s, temp, shown = std::optional<TempUnit>()]() mutable {
                            if (shown == s->tempUnit())
                                return;
                            shown = s->tempUnit();
                            const QSignalBlocker blocker(temp);
                            temp->clear();
                            for (double celsius : kTempThresholds)
                                temp->addItem(temperatureChoice(celsius, s->tempUnit()), celsius);
                        });
}

void SettingsContent::buildComfort()
{
    SettingsManager* s = m_services.settings;
    FanController* fans = m_services.fans;
    SettingsSection* section = addSection(QStringLiteral("settings.section.comfort"));
    section->addRow(L(QStringLiteral("settings.comfort.enable")), QStringLiteral("wind"),
                    toggle(
                        QStringLiteral("settings.comfort.enable"),
                        [s] { return s->comfortEnabled(); },
                        [s, fans](bool on) {
                            if (fans)
                                fans->setEnabled(on);
                            else
                                s->setComfortEnabled(on);
                        }));

    QComboBox* target = picker(
        QStringLiteral("settings.comfort.target"), {},
        [s] { return QVariant(s->comfortTargetC()); },
        [s, fans](const QVariant& v) {
            if (fans)
                fans->setTargetC(v.toDouble());
            else
                s->setComfortTargetC(v.toDouble());
        });
    SettingsRow* targetRow = section->addRow(L(QStringLiteral("settings.comfort.target")),
                                             QStringLiteral("thermometer.snowflake"), target);
    m_refreshers.insert(m_refreshers.end() - 1,
                        [s, target, targetRow, shown = std::optional<TempUnit>()]() mutable {
                            targetRow->setDimmed(!s->comfortEnabled());
                            if (shown == s->tempUnit())
                                return;
                            shown = s->tempUnit();
                            const QSignalBlocker blocker(target);
                            target->clear();
                            for (double celsius : kComfortTargets)
                                target->addItem(temperatureChoice(celsius, s->tempUnit()), celsius);
                        });

    SettingsButton* approve = button(
        QStringLiteral("settings.comfort.approve"), L(QStringLiteral("settings.comfort.approve")),
        QStringLiteral("exclamationmark.triangle.fill"), m_style.warning);
    LaunchAtLogin* launch = m_services.launchAtLogin;
    connect(approve, &QAbstractButton::clicked, this, [launch] {
        if (launch)
            launch->openSystemSettings();
    });
    QWidget* approveHolder = section->addWidget(approve);
    approveHolder->setObjectName(QStringLiteral("settings.comfort.approve.holder"));
    m_refreshers.push_back([this, approveHolder] { approveHolder->setVisible(approvalWanted()); });

    QLabel* status = statusLabel(QStringLiteral("settings.comfort.status"));
    section->addWidget(status);
    m_refreshers.push_back([this, s, status] {
        if (!m_fans) {
            status->setText(comfortStatusText(FanController::Status::off, std::nullopt,
                                              std::nullopt, s->tempUnit()));
            return;
        }
        status->setText(comfortStatusText(m_fans->status(), m_fans->surfaceC(), m_fans->fanRPM(),
                                          s->tempUnit()));
    });
    section->addHint(L(QStringLiteral("settings.comfort.note")));
}

void SettingsContent::buildPreauth()
{
    m_preauth = addSection(QStringLiteral("settings.section.preauth"));
    m_preauthList = new QWidget;
    m_preauthList->setObjectName(QStringLiteral("settings.preauth.list"));
    auto* layout = new QVBoxLayout(m_preauthList);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_preauthList->setParent(m_preauth->card());
    static_cast<QVBoxLayout*>(m_preauth->card()->layout())->addWidget(m_preauthList);
    m_preauth->addHint(L(QStringLiteral("settings.preauth.hint")));
}

void SettingsContent::refreshPreauthList()
{
    if (!m_preauthList)
        return;
    const QStringList names = m_services.settings->killWhitelist();
    if (m_preauthBuilt && names == m_shownWhitelist)
        return;
    m_preauthBuilt = true;
    m_shownWhitelist = names;
    auto* layout = static_cast<QVBoxLayout*>(m_preauthList->layout());
    while (QLayoutItem* item = layout->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    if (names.isEmpty()) {
        QLabel* empty = statusLabel(QStringLiteral("settings.preauth.empty"));
        empty->setText(L(QStringLiteral("settings.preauth.empty")));
        empty->setContentsMargins(10, 8, 10, 4);
        setTextColor(empty, m_style.hint);
        layout->addWidget(empty);
        return;
    }
    SettingsManager* s = m_services.settings;
    for (int i = 0; i < names.size(); ++i) {
        const QString name = names.at(i);
        auto* remove = new SettingsButton(SettingsIcon::glyph(QStringLiteral("xmark.circle.fill")));
        remove->setObjectName(QStringLiteral("settings.preauth.remove.") + QString::number(i));
        remove->setFlat(true);
        remove->setFont(SettingsIcon::font(18));
        remove->setFixedSize(26, 26);
        remove->setCursor(Qt::PointingHandCursor);
        remove->setFocusPolicy(Qt::StrongFocus);
        remove->setAccessibleName(name);
        setTextColor(remove, m_style.hint);
        // Every copy goes, so a name listed twice cannot linger after its remove button.
        connect(remove, &QAbstractButton::clicked, this, [s, name] {
            QStringList list = s->killWhitelist();
            list.removeAll(name);
            s->setKillWhitelist(list);
        });
        auto* row = new SettingsRow(m_style, name, QString(), remove, i == 0, m_preauthList);
        row->label()->setTextFormat(Qt::PlainText);
        layout->addWidget(row);
    }
}

void SettingsContent::buildUpdate()
{
    SettingsManager* s = m_services.settings;
    UpdateChecker* updates = m_services.updates;
    SettingsSection* section = addSection(QStringLiteral("settings.section.update"));
    const QString version = updates ? updates->currentVersion() : UpdateChecker::builtInVersion();
    SettingsRow* versionRow =
        section->addRow(L(QStringLiteral("settings.update.version"), {version}),
                        QStringLiteral("arrow.triangle.2.circlepath"), nullptr);
    versionRow->label()->setObjectName(QStringLiteral("settings.update.version"));
    section->addRow(
        L(QStringLiteral("settings.update.auto")), QStringLiteral("clock.arrow.circlepath"),
        toggle(
            QStringLiteral("settings.update.auto"), [s] { return s->updateAutoCheck(); },
            [s](bool on) { s->setUpdateAutoCheck(on); }));

    auto* line = new QWidget;
    auto* lineLayout = new QHBoxLayout(line);
    lineLayout->setContentsMargins(0, 0, 0, 0);
    lineLayout->setSpacing(10);
    SettingsButton* checkNow = button(QStringLiteral("settings.update.checkNow"),
                                      L(QStringLiteral("settings.update.checkNow")), QString(), {});
    connect(checkNow, &QAbstractButton::clicked, this, [updates] {
        if (updates)
            updates->checkNow();
    });
    QLabel* status = statusLabel(QStringLiteral("settings.update.status"));
    SettingsButton* download = button(QStringLiteral("settings.update.download"), QString(),
                                      QStringLiteral("arrow.down.circle.fill"), m_style.accent);
    connect(download, &QAbstractButton::clicked, this, [updates] {
        if (updates)
            updates->openDownloadPage();
    });
    lineLayout->addWidget(checkNow, 0);
    lineLayout->addWidget(status, 1);
    lineLayout->addWidget(download, 1);
    section->addWidget(line);

    m_refreshers.push_back([updates, checkNow, status, download] {
        const UpdateCheckState state = updates ? updates->manualState() : UpdateCheckState::Idle;
        checkNow->setEnabled(updates && state != UpdateCheckState::Checking);
        const auto available = updates ? updates->availableVersion() : std::nullopt;
        download->setVisible(available.has_value());
        status->setVisible(!available);
        if (available) {
            const QString text = L(QStringLiteral("settings.update.download"), {*available});
            download->findChild<QLabel*>(QStringLiteral("settings.update.download.text"))
                ->setText(text);
            download->setAccessibleName(text);
            return;
        }
        switch (state) {
        case UpdateCheckState::Idle:
            status->clear();
            break;
        case UpdateCheckState::Checking:
            status->setText(L(QStringLiteral("settings.update.checking")));
            break;
        case UpdateCheckState::UpToDate:
            status->setText(L(QStringLiteral("settings.update.upToDate")));
            break;
        case UpdateCheckState::Failed:
            status->setText(L(QStringLiteral("settings.update.failed")));
            break;
        }
    });
}

void SettingsContent::buildPanel()
{
    SettingsManager* s = m_services.settings;
    SkinManager* skins = m_services.skins;
    SettingsSection* section = addSection(QStringLiteral("settings.section.panel"));

    QList<std::pair<QString, QVariant>> skinChoices;
    for (PanelSkin skin : allPanelSkins())
        skinChoices.append({L(displayKey(skin)), rawValue(skin)});
    section->addRow(L(QStringLiteral("settings.skin")), QStringLiteral("paintbrush"),
                    picker(
                        QStringLiteral("settings.skin"), skinChoices,
                        [skins] { return QVariant(rawValue(skins->skin())); },
                        [skins](const QVariant& raw) {
                            if (const auto skin = panelSkinFromRaw(raw.toString()))
                                skins->setSkin(*skin);
                        }));

    QList<std::pair<QString, QVariant>> rows;
    for (ProcessRowPreset preset : allProcessRowPresets())
        rows.append({displayName(preset), rawValue(preset)});
    section->addRow(L(QStringLiteral("settings.layout.rows")), QStringLiteral("list.number"),
                    picker(
                        QStringLiteral("settings.layout.rows"), rows,
                        [s] { return QVariant(s->processRowCount()); },
                        [s](const QVariant& v) { s->setProcessRowCount(v.toInt()); }));
    section->addRow(L(QStringLiteral("settings.layout.cores")),
                    QStringLiteral("square.grid.3x1.below.line.grid.1x2"),
                    toggle(
                        QStringLiteral("settings.layout.cores"), [s] { return s->showCoreStrip(); },
                        [s](bool on) { s->setShowCoreStrip(on); }));
    section->addHint(L(QStringLiteral("settings.layout.cores.hint")));

    section->addSubheading(L(QStringLiteral("settings.modules")));
    for (PanelModule module : allPanelModules()) {
        auto* row = new SettingsCheckRow(
            m_style, displayName(module), section->nextRowIsFirst(),
            [s, module] { return s->isVisible(module); },
            [s, module](bool on) { s->setVisible(module, on); });
        row->box()->setObjectName(QStringLiteral("settings.module.") + rawValue(module));
        section->addRow(row);
        m_refreshers.push_back([row] { row->refresh(); });
    }
    section->addHint(L(QStringLiteral("settings.modules.cpuNote")));
}

bool SettingsContent::approvalWanted() const
{
    if (!m_onScreen || !m_services.settings->comfortEnabled())
        return false;
    const bool helperWaits =
        m_services.helper && m_services.helper->state() == FanHelperState::requiresApproval;
    const bool controllerWaits = m_fans && m_fans->status() == FanController::Status::needsApproval;
    return helperWaits || controllerWaits;
}

void SettingsContent::refreshApproval()
{
    const bool wanted = approvalWanted();
    const bool left = m_approvalShown && !wanted;
    m_approvalShown = wanted;
    // The user may have allowed the helper meanwhile: try again the moment the button goes.
    if (left && m_fans)
        m_fans->retryAfterApproval();
}

void SettingsContent::updateFanRefresh()
{
    const bool wanted = m_onScreen && m_fans && m_services.settings->comfortEnabled();
    if (!wanted) {
        m_fanRefresh.stop();
        return;
    }
    if (m_fanRefresh.isActive())
        return;
    m_fans->refreshFanRPM();
    m_fanRefresh.start();
}

void SettingsContent::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_onScreen)
        return;
    m_onScreen = true;
    m_services.settings->refreshLaunchAtLogin();
    refresh();
    updateFanRefresh();
}

void SettingsContent::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (!m_onScreen)
        return;
    m_onScreen = false;
    refresh();
    updateFanRefresh();
}

QString SettingsContent::temperatureChoice(double celsius, TempUnit unit)
{
    return QString::number(display(unit, celsius)) + symbol(unit);
}

QString SettingsContent::comfortStatusText(FanController::Status status,
                                           std::optional<double> surfaceC,
                                           std::optional<double> fanRPM, TempUnit unit)
{
    const QString surface =
        surfaceC ? temperatureChoice(*surfaceC, unit) : QStringLiteral("\u2014");
    const std::optional<QString> speed =
        fanRPM && std::isfinite(*fanRPM)
            ? std::optional(QString::number(static_cast<qint64>(std::llround(*fanRPM))))
            : std::nullopt;
    switch (status) {
    case FanController::Status::off:
        return L(QStringLiteral("settings.comfort.status.off"), {surface});
    case FanController::Status::needsApproval:
        return L(QStringLiteral("settings.comfort.status.needsApproval"));
    case FanController::Status::active:
        return speed ? L(QStringLiteral("settings.comfort.status.activeWithFan"), {surface, *speed})
                     : L(QStringLiteral("settings.comfort.status.active"), {surface});
    case FanController::Status::cooling:
        return speed ? L(QStringLiteral("settings.comfort.status.comfortableWithFan"),
                         {surface, *speed})
                     : L(QStringLiteral("settings.comfort.status.comfortable"), {surface});
    case FanController::Status::unavailable:
        return L(QStringLiteral("settings.comfort.status.unavailable"));
    }
    return {};
}

} // namespace corvanite
