// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QSocketNotifier;

namespace corvanite {

// Routes SIGINT, SIGTERM and SIGHUP into the event loop, so a plain `kill` or Ctrl-C ends the
// application through its normal termination path instead of killing it mid-way.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

    // Installs the handlers; each signal then emits terminationRequested() on the main thread.
    bool install();

Q_SIGNALS:
    void terminationRequested(int signalNumber);

private:
    void readPending();

    QSocketNotifier* m_notifier = nullptr;
};

} // namespace corvanite
