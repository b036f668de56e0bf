// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

namespace corvanite {

class InstanceLock;

// Keeps a second Corvanite of the same user from writing the same preferences and log. With a
// session bus the bus name decides and a second start asks the running one to show its panel;
// without one an advisory lock file decides.
class SingleInstance : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.corvanite.app")
public:
    static constexpr const char* kServiceName = "com.corvanite.app";
    static constexpr const char* kObjectPath = "/com/corvanite/app";

    enum class Outcome {
        First,          // this process is the one instance
        AskedRunning,   // another instance runs and was asked to show its panel
        AlreadyRunning, // another instance runs (no bus to reach it)
        Failed,         // neither the bus name nor the lock could be had for another reason
    };

    // `showPanel` runs when a later start asks this instance to show itself.
    explicit SingleInstance(std::function<void()> showPanel, QObject* parent = nullptr);
    ~SingleInstance() override;

    // Over the session bus when there is one, else over the lock file at `lockPath`.
    Outcome claim(const QString& lockPath);
    // The one line a second start prints on stderr.
    QString message() const { return m_message; }

public Q_SLOTS:
    // Called over the bus by a later start.
    Q_SCRIPTABLE void ShowPanel();

private:
    Outcome claimOnBus();
    Outcome claimLock(const QString& lockPath);

    std::function<void()> m_showPanel;
    std::unique_ptr<InstanceLock> m_lock;
    QString m_message;
};

} // namespace corvanite
