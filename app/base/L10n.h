// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/base/AppLanguage.h"
#include "app/base/LArg.h"

#include <QHash>
#include <QList>
#include <QLocale>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace corvanite {

class Preferences;

// The interface language and the text tables. Every user-visible text is looked up here by a
// dotted key: first in the table of the resolved language, then in the English table, and
// finally the key itself is shown, so a missing translation never leaves a label blank.
// Tables are flat JSON objects (key -> text) named "<code>.json" in the table folder; a table
// that is missing or unreadable counts as absent. Main thread only.
class L10n : public QObject {
    Q_OBJECT
    Q_PROPERTY(
        corvanite::AppLanguage language READ language WRITE setLanguage NOTIFY languageChanged)

public:
    using PreferredLanguages = std::function<QStringList()>;

    static inline const QString kLanguageKey = QStringLiteral("appLanguage");

    // `preferredLanguages` is asked for the desktop's list whenever `System` is resolved.
    // `tableFolder` defaults to the tables compiled into the binary.
    L10n(Preferences& prefs, PreferredLanguages preferredLanguages,
         QString tableFolder = defaultTableFolder(), QObject* parent = nullptr);
    ~L10n() override;

    // Built on first use with the standard preferences and the desktop's languages; never
    // destroyed.
    static L10n& shared();
    static QString defaultTableFolder();
    // QLocale::system().uiLanguages() with '-' as the separator.
    static QStringList systemPreferredLanguages();
    // The table code for a preferred-language list ("en" when nothing matches).
    static QString resolveLanguageCode(const QStringList& preferred);

    AppLanguage language() const { return m_language; }
    // Stores the choice under "appLanguage" (also when it is unchanged), reloads the tables and
    // the formatting locale, and only then emits languageChanged().
    void setLanguage(AppLanguage language);

    // The text for `key`. A translation that is present but empty is returned as empty.
    QString string(const QString& key) const;
    // The text for `key` formatted as a printf-style template in the formatting locale.
    QString format(const QString& key, const QList<LArg>& args) const;

    // The locale of the resolved code: numbers in formatted texts follow the interface
    // language, not the desktop's region.
    QLocale formattingLocale() const { return m_formattingLocale; }
    QString resolvedCode() const { return m_code; }
    bool hasPrimaryTable() const { return m_primary != nullptr; }
    bool hasFallbackTable() const { return m_fallback != nullptr; }

Q_SIGNALS:
    void languageChanged();

private:
    using Table = QHash<QString, QString>;

    void reload();
    std::shared_ptr<const Table> loadTable(const QString& code) const;

    Preferences& m_prefs;
    PreferredLanguages m_preferredLanguages;
    QString m_tableFolder;
    AppLanguage m_language = AppLanguage::System;
    QString m_code = QStringLiteral("en");
    QLocale m_formattingLocale{QStringLiteral("en")};
    std::shared_ptr<const Table> m_primary;
    std::shared_ptr<const Table> m_fallback;
};

// The text for `key` in the interface language.
QString L(const QString& key);
// The text for `key` formatted with `args` in the interface language's locale.
QString L(const QString& key, const QList<LArg>& args);

} // namespace corvanite
