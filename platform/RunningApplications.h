// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

namespace corvanite {

// An installed application that a process belongs to.
struct RunningApplication {
    QString localizedName; // may be empty
    QString iconName;      // an icon theme name or an absolute file path; may be empty

    bool operator==(const RunningApplication&) const = default;
};

class RunningApplications {
public:
    virtual ~RunningApplications() = default;
    // The application that launched this process; absent when it is not one of the installed
    // applications. Main thread.
    virtual std::optional<RunningApplication> application(qint32 pid) = 0;
    // Changes whenever the installed applications change, so answers given before can be
    // asked again. Main thread.
    virtual quint64 generation() const { return 0; }
};

} // namespace corvanite
