// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/menubar/StatusItem.h"

#include <QDBusConnection>

#include <memory>

namespace corvanite {

enum class StatusItemKind { StatusNotifier, XEmbedTray, None };

// Which kind of item this desktop can show: a StatusNotifierItem when a
// StatusNotifierWatcher is on `bus`, else an XEmbed tray icon when a system tray exists,
// else none.
StatusItemKind availableStatusItemKind(const QDBusConnection& bus);

// Builds the item of that kind; with no status area the item has no button.
std::unique_ptr<StatusItem> makeStatusItem(const QDBusConnection& bus);
std::unique_ptr<StatusItem> makeStatusItem(StatusItemKind kind, const QDBusConnection& bus);
std::unique_ptr<StatusItem> makeStatusItem();

} // namespace corvanite
