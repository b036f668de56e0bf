// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/BootTime.h"

#include <QString>

#include <string_view>

namespace corvanite {

// The "btime" line of /proc/stat: whole seconds since 1970 at which the system booted.
class LinuxBootTime final : public BootTimeSource {
public:
    explicit LinuxBootTime(const QString& root = QStringLiteral("/"));
    std::optional<double> readBootTime() override;

    static std::optional<double> parse(std::string_view statText);

private:
    QString m_root;
};

} // namespace corvanite
