// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace corvanite {

// The interface languages the user can pin, in picker order. `System` follows the desktop's
// preferred-language list.
enum class AppLanguage { System, En, ZhHans, Ja, De, Fr, ZhHant, Es, Ko, Th };

// Stored under "appLanguage" and used as the table name ("zh-Hans" -> i18n/zh-Hans.json).
QString rawValue(AppLanguage language);
std::optional<AppLanguage> appLanguageFromRaw(const QString& raw);
// The localisation key of the picker label.
QString displayKey(AppLanguage language);
// The picker label in the current interface language.
QString displayName(AppLanguage language);
const QList<AppLanguage>& allAppLanguages();

} // namespace corvanite
