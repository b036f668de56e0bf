// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <optional>

namespace corvanite {

// The application the user is working in: the process behind the active window.
struct FrontmostWindow {
    qint32 pid = 0;
    quint64 window = 0;

    bool operator==(const FrontmostWindow&) const = default;
};

class FrontmostApplication {
public:
    virtual ~FrontmostApplication() = default;
    // Absent when no window is active or the desktop does not say which one is.
    virtual std::optional<FrontmostWindow> frontmost() = 0;
    // Brings that window to the front again.
    virtual void activate(const FrontmostWindow& window) = 0;
};

// Desktops that do not tell (Wayland, no display): nothing is ever frontmost.
class NoFrontmostApplication final : public FrontmostApplication {
public:
    std::optional<FrontmostWindow> frontmost() override { return std::nullopt; }
    void activate(const FrontmostWindow&) override {}
};

} // namespace corvanite
