// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/base/AppLanguage.h"

#include "app/base/L10n.h"

namespace corvanite {

QString rawValue(AppLanguage language)
{
    switch (language) {
    case AppLanguage::System:
        return QStringLiteral("system");
    case AppLanguage::En:
        return QStringLiteral("en");
    case AppLanguage::ZhHans:
        return QStringLiteral("zh-Hans");
    case AppLanguage::Ja:
        return QStringLiteral("ja");
    case AppLanguage::De:
        return QStringLiteral("de");
    case AppLanguage::Fr:
        return QStringLiteral("fr");
    case AppLanguage::ZhHant:
        return QStringLiteral("zh-Hant");
    case AppLanguage::Es:
        return QStringLiteral("es");
    case AppLanguage::Ko:
        return QStringLiteral("ko");
    case AppLanguage::Th:
        return QStringLiteral("th");
    }
    return {};
}

std::optional<AppLanguage> appLanguageFromRaw(const QString& raw)
{
    for (AppLanguage language : allAppLanguages()) {
        if (rawValue(language) == raw)
            return language;
    }
    return std::nullopt;
}

QString displayKey(AppLanguage language)
{
    switch (language) {
    case AppLanguage::System:
        return QStringLiteral("settings.language.system");
    case AppLanguage::En:
        return QStringLiteral("settings.language.english");
    case AppLanguage::ZhHans:
        return QStringLiteral("settings.language.simplifiedChinese");
    case AppLanguage::Ja:
        return QStringLiteral("settings.language.japanese");
    case AppLanguage::De:
        return QStringLiteral("settings.language.german");
    case AppLanguage::Fr:
        return QStringLiteral("settings.language.french");
    case AppLanguage::ZhHant:
        return QStringLiteral("settings.language.traditionalChinese");
    case AppLanguage::Es:
        return QStringLiteral("settings.language.spanish");
    case AppLanguage::Ko:
        return QStringLiteral("settings.language.korean");
    case AppLanguage::Th:
        return QStringLiteral("settings.language.thai");
    }
    return {};
}

QString displayName(AppLanguage language)
{
    return L(displayKey(language));
}

const QList<AppLanguage>& allAppLanguages()
{
    static const QList<AppLanguage> all{AppLanguage::System, AppLanguage::En, AppLanguage::ZhHans,
                                        AppLanguage::Ja,     AppLanguage::De, AppLanguage::Fr,
                                        AppLanguage::ZhHant, AppLanguage::Es, AppLanguage::Ko,
                                        AppLanguage::Th};
    return all;
}

} // namespace corvanite
