// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

namespace corvanite {

// Runs a job on the main thread after a delay. Rules take one so tests can run the job at once
// (or never) instead of waiting for it.
using DelayedCall = std::function<void(int milliseconds, std::function<void()> job)>;

// The real thing: a single-shot timer bound to `context`, dropped if the context goes first.
inline DelayedCall mainThreadDelayedCall(QObject* context)
{
    return [context](int milliseconds, std::function<void()> job) {
        QTimer::singleShot(milliseconds, context, std::move(job));
    };
}

} // namespace corvanite
