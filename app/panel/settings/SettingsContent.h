// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/comfort/FanController.h"
#include "app/panel/settings/SettingsServices.h"
#include "app/panel/settings/SettingsStyle.h"
#include "app/settings/SettingsTypes.h"

#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QScrollArea;
class QVBoxLayout;

namespace corvanite {

class SettingsButton;
class SettingsSection;
class SettingsSwitch;

// Every user preference in one scrolling view of titled cards, drawn in the current skin's
// style. Controls keep no value of their own: each shows what its store holds and every change
// goes straight to that store or service, so two open hosts (the window and the panel's back
// face) always agree. A change of language or skin builds the view again in the new texts and
// look; the focused control keeps its focus.
class SettingsContent : public QWidget {
    Q_OBJECT
public:
    static constexpr int kFanRefreshIntervalMs = 5000;

    explicit SettingsContent(const SettingsServices& services, QWidget* parent = nullptr);
    ~SettingsContent() override;

    // The comfort cooling status line for a controller state, in the chosen unit.
    static QString comfortStatusText(FanController::Status status, std::optional<double> surfaceC,
                                     std::optional<double> fanRPM, TempUnit unit);
    // A temperature choice given in degrees Celsius, as the pickers label it ("85°", "185°F").
    static QString temperatureChoice(double celsius, TempUnit unit);

    const SettingsStyle& style() const { return m_style; }
    // Shows every stored value again and applies the enable rules.
    void refresh();
    // The timer that refreshes the fan speed while the comfort card is on screen.
    QTimer& fanRefreshTimer() { return m_fanRefresh; }
    bool isApprovalShown() const { return m_approvalShown; }
    QScrollArea* scrollArea() const { return m_scroll; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void build();
    void rebuild();
    void buildGeneral();
    void buildMenuBar();
    void buildAlerts();
    void buildComfort();
    void buildPreauth();
    void buildUpdate();
    void buildPanel();
    void refreshPreauthList();
    void refreshApproval();
    void updateFanRefresh();
    bool approvalWanted() const;

    SettingsSection* addSection(const QString& titleKey);
    QComboBox* picker(const QString& name, const QList<std::pair<QString, QVariant>>& choices,
                      std::function<QVariant()> read, std::function<void(const QVariant&)> write);
    SettingsSwitch* toggle(const QString& name, std::function<bool()> read,
                           std::function<void(bool)> write);
    SettingsButton* button(const QString& name, const QString& text, const QString& icon,
                           const QColor& iconColor);
    QLabel* statusLabel(const QString& name);

    SettingsServices m_services;
    SettingsStyle m_style;
    QScrollArea* m_scroll = nullptr;
    QWidget* m_column = nullptr;
    QVBoxLayout* m_columnLayout = nullptr;
    std::vector<std::function<void()>> m_refreshers;

    SettingsSection* m_preauth = nullptr;
    QWidget* m_preauthList = nullptr;
    QStringList m_shownWhitelist;
    bool m_preauthBuilt = false;

    QTimer m_fanRefresh;
    bool m_onScreen = false;
    bool m_approvalShown = false;
    bool m_rebuildQueued = false;
    QPointer<FanController> m_fans;
};

} // namespace corvanite
