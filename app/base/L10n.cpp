// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/base/L10n.h"

#include "app/base/LocalizedFormatter.h"
#include "app/base/Log.h"
#include "platform/Preferences.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

// The tables live in a static library; without this call the linker may drop them.
static void initTableResources()
{
    Q_INIT_RESOURCE(i18n);
}

namespace corvanite {

namespace {

// What a lookup yields for a key the table lacks: NUL, "L10N_MISSING", NUL. No real text
// contains NUL characters, so an empty translation or one equal to its key stays a hit.
const QString& missingSentinel()
{
    static const QString sentinel =
        QString(QChar(u'\0')) + QStringLiteral("L10N_MISSING") + QChar(u'\0');
    return sentinel;
}

bool startsWithAny(const QString& entry, std::initializer_list<QLatin1String> prefixes)
{
    for (QLatin1String prefix : prefixes) {
        if (entry.startsWith(prefix))
            return true;
    }
    return false;
}

} // namespace

L10n::L10n(Preferences& prefs, PreferredLanguages preferredLanguages, QString tableFolder,
           QObject* parent)
    : QObject(parent)
    , m_prefs(prefs)
    , m_preferredLanguages(std::move(preferredLanguages))
    , m_tableFolder(std::move(tableFolder))
{
    initTableResources();
    // An unknown stored value means System and is left in place until the user picks again.
    const std::optional<QString> stored = m_prefs.stringValue(kLanguageKey);
    m_language =
        stored ? appLanguageFromRaw(*stored).value_or(AppLanguage::System) : AppLanguage::System;
    reload();
}

L10n::~L10n() = default;

L10n& L10n::shared()
{
    static L10n* const instance = new L10n(Preferences::standard(), &systemPreferredLanguages);
    return *instance;
}

QString L10n::defaultTableFolder()
{
    return QStringLiteral(":/i18n");
}

QStringList L10n::systemPreferredLanguages()
{
    QStringList languages = QLocale::system().uiLanguages();
    for (QString& language : languages)
        language.replace(QLatin1Char('_'), QLatin1Char('-'));
    return languages;
}

QString L10n::resolveLanguageCode(const QStringList& preferred)
{
    for (const QString& entry : preferred) {
        if (startsWithAny(entry, {QLatin1String("zh-Hans"), QLatin1String("zh-CN"),
                                  QLatin1String("zh-SG")}) ||
            entry == QLatin1String("zh"))
            return QStringLiteral("zh-Hans");
        if (startsWithAny(
                entry, {QLatin1String("zh-Hant"), QLatin1String("zh-TW"), QLatin1String("zh-HK")}))
            return QStringLiteral("zh-Hant");
        for (const char* code : {"ja", "de", "fr", "es", "ko", "th", "en"}) {
            if (entry.startsWith(QLatin1String(code)))
                return QString::fromLatin1(code);
        }
    }
    return QStringLiteral("en");
}

void L10n::setLanguage(AppLanguage language)
{
    m_prefs.setString(kLanguageKey, rawValue(language));
    m_language = language;
    reload();
    Q_EMIT languageChanged();
}

void L10n::reload()
{
    m_code = m_language == AppLanguage::System ? resolveLanguageCode(m_preferredLanguages())
                                               : rawValue(m_language);
    m_fallback = loadTable(QStringLiteral("en"));
    m_primary = m_code == QLatin1String("en") ? m_fallback : loadTable(m_code);
    m_formattingLocale = QLocale(m_code);
}

std::shared_ptr<const L10n::Table> L10n::loadTable(const QString& code) const
{
    QFile file(m_tableFolder + QLatin1Char('/') + code + QStringLiteral(".json"));
    if (!file.exists())
        return nullptr;
    if (!file.open(QIODevice::ReadOnly)) {
        Log::debug(QStringLiteral("⚠ Cannot open language table ") + file.fileName());
        return nullptr;
    }
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) {
        Log::debug(QStringLiteral("⚠ Language table ") + file.fileName() +
                   QStringLiteral(" is not a JSON object: ") + error.errorString());
        return nullptr;
    }
    auto table = std::make_shared<Table>();
    const QJsonObject object = doc.object();
    for (auto it = object.begin(); it != object.end(); ++it) {
        // A value of another JSON type is no translation; the key falls through.
        if (it.value().isString())
            table->insert(it.key(), it.value().toString());
    }
    return table;
}

QString L10n::string(const QString& key) const
{
    for (const auto& table : {m_primary, m_fallback}) {
        if (!table)
            continue;
        const QString text = table->value(key, missingSentinel());
        if (text != missingSentinel())
            return text;
    }
    return key;
}

QString L10n::format(const QString& key, const QList<LArg>& args) const
{
    return formatTemplate(string(key), args, m_formattingLocale);
}

QString L(const QString& key)
{
    return L10n::shared().string(key);
}

QString L(const QString& key, const QList<LArg>& args)
{
    return L10n::shared().format(key, args);
}

} // namespace corvanite
