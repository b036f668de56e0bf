// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/base/L10n.h"
#include "app/base/AppLanguage.h"
#include "platform/Preferences.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "tests/support/QStringPrinter.h"

#include <gtest/gtest.h>

using namespace corvanite;

namespace {

class L10nFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        QDir().mkpath(tables());
        writeTable(QStringLiteral("en"), R"({"a": "A en", "onlyEn": "English only",
            "fmt": "%.1f units", "emptyInFr": "not empty"})");
        writeTable(QStringLiteral("fr"), R"({"a": "A fr", "emptyInFr": "", "same": "same",
            "number": 5})");
        writeTable(QStringLiteral("de"), R"({"a": "A de", "fmt": "%.1f Einheiten"})");
    }

    QString tables() const { return m_dir.path() + QStringLiteral("/tables"); }

    void writeTable(const QString& code, const QByteArray& json)
    {
        QFile file(tables() + QLatin1Char('/') + code + QStringLiteral(".json"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(json);
    }

    std::unique_ptr<L10n> make(QStringList preferred = {})
    {
        return std::make_unique<L10n>(
            m_prefs,
            [this, preferred] {
                ++m_preferredAsked;
                return preferred;
            },
            tables());
    }

    QTemporaryDir m_dir;
    Preferences m_prefs{m_dir.path() + QStringLiteral("/prefs.json")};
    int m_preferredAsked = 0;
};

} // namespace

TEST(L10nResolve, preferredLanguageListsResolveByPrefix)
{
    const std::vector<std::pair<QStringList, const char*>> cases{
        {{"zh-HK"}, "zh-Hant"},
        {{"zh"}, "zh-Hans"},
        {{"zh-Hant-TW"}, "zh-Hant"},
        {{"zh-Hans-CN"}, "zh-Hans"},
        {{"zh-CN"}, "zh-Hans"},
        {{"zh-SG"}, "zh-Hans"},
        {{"zh-TW"}, "zh-Hant"},
        {{"pt-BR", "de-AT"}, "de"},
        {{"pt-BR"}, "en"},
        {{}, "en"},
        // Unmatched entries are skipped, including Chinese variants outside the rules.
        {{"zh-MO", "ja-JP"}, "ja"},
        {{"nl", "ko-KR", "fr"}, "ko"},
        {{"es-419"}, "es"},
        {{"th-TH"}, "th"},
        {{"en-GB", "de"}, "en"},
        {{"fr-CA"}, "fr"},
        // The tests are case-sensitive prefix tests.
        {{"DE", "zh-hans", "fr"}, "fr"},
        {{"C"}, "en"},
    };
    for (const auto& [preferred, expected] : cases)
        EXPECT_EQ(L10n::resolveLanguageCode(preferred), QString::fromLatin1(expected))
            << preferred.join(QLatin1Char(',')).toStdString();
}

TEST(L10nResolve, systemListUsesDashes)
{
    for (const QString& entry : L10n::systemPreferredLanguages())
        EXPECT_FALSE(entry.contains(QLatin1Char('_'))) << entry.toStdString();
}

TEST_F(L10nFixture, startsFromTheStoredLanguageWithoutWritingIt)
{
    {
        auto l10n = make({QStringLiteral("de-DE")});
        EXPECT_EQ(l10n->language(), AppLanguage::System);
        EXPECT_EQ(l10n->resolvedCode(), QStringLiteral("de"));
        EXPECT_FALSE(m_prefs.contains(L10n::kLanguageKey));
    }
    m_prefs.setString(L10n::kLanguageKey, QStringLiteral("fr"));
    EXPECT_EQ(make({QStringLiteral("de")})->string(QStringLiteral("a")), QStringLiteral("A fr"));

    // An unknown value follows the system and stays stored until the user picks a language.
    m_prefs.setString(L10n::kLanguageKey, QStringLiteral("klingon"));
    auto l10n = make({QStringLiteral("de")});
    EXPECT_EQ(l10n->language(), AppLanguage::System);
    EXPECT_EQ(l10n->string(QStringLiteral("a")), QStringLiteral("A de"));
    EXPECT_EQ(m_prefs.stringValue(L10n::kLanguageKey), QStringLiteral("klingon"));
}

TEST_F(L10nFixture, lookupFallsBackToEnglishThenToTheKey)
{
    auto l10n = make();
    l10n->setLanguage(AppLanguage::Fr);
    EXPECT_EQ(l10n->string(QStringLiteral("a")), QStringLiteral("A fr"));
    EXPECT_EQ(l10n->string(QStringLiteral("onlyEn")), QStringLiteral("English only"));
    EXPECT_EQ(l10n->string(QStringLiteral("nowhere")), QStringLiteral("nowhere"));
    // Present but empty is a translation; a value equal to its key is one too.
    EXPECT_EQ(l10n->string(QStringLiteral("emptyInFr")), QString());
    EXPECT_EQ(l10n->string(QStringLiteral("same")), QStringLiteral("same"));
    // A value that is not a string is no translation.
    EXPECT_EQ(l10n->string(QStringLiteral("number")), QStringLiteral("number"));
}

TEST_F(L10nFixture, missingOrBrokenTablesAreAbsent)
{
    auto l10n = make();
    l10n->setLanguage(AppLanguage::Ko); // no ko.json
    EXPECT_EQ(l10n->resolvedCode(), QStringLiteral("ko"));
    EXPECT_FALSE(l10n->hasPrimaryTable());
    EXPECT_EQ(l10n->string(QStringLiteral("a")), QStringLiteral("A en"));
    EXPECT_EQ(l10n->formattingLocale().language(), QLocale::Korean);

    writeTable(QStringLiteral("ja"), "{\"a\": ");
    l10n->setLanguage(AppLanguage::Ja);
    EXPECT_FALSE(l10n->hasPrimaryTable());
    EXPECT_EQ(l10n->string(QStringLiteral("a")), QStringLiteral("A en"));

    ASSERT_TRUE(QFile::remove(tables() + QStringLiteral("/en.json")));
    l10n->setLanguage(AppLanguage::Fr);
    EXPECT_FALSE(l10n->hasFallbackTable());
    EXPECT_EQ(l10n->string(QStringLiteral("a")), QStringLiteral("A fr"));
    EXPECT_EQ(l10n->string(QStringLiteral("onlyEn")), QStringLiteral("onlyEn"));
    l10n->setLanguage(AppLanguage::En);
    EXPECT_EQ(l10n->string(QStringLiteral("a")), QStringLiteral("a"));
}

TEST_F(L10nFixture, numbersFollowTheInterfaceLanguage)
{
    auto l10n = make();
    l10n->setLanguage(AppLanguage::De);
    EXPECT_EQ(l10n->format(QStringLiteral("fmt"), {3.5}), QStringLiteral("3,5 Einheiten"));
    l10n->setLanguage(AppLanguage::En);
    EXPECT_EQ(l10n->format(QStringLiteral("fmt"), {3.5}), QStringLiteral("3.5 units"));
    // German table without the key: English template, German numbers.
    writeTable(QStringLiteral("de"), R"({"a": "A de"})");
    l10n->setLanguage(AppLanguage::De);
    EXPECT_EQ(l10n->format(QStringLiteral("fmt"), {3.5}), QStringLiteral("3,5 units"));
    EXPECT_EQ(l10n->formattingLocale().decimalPoint(), QStringLiteral(","));
}

TEST_F(L10nFixture, settingTheSameLanguageRewritesReloadsAndNotifiesAfterReload)
{
    auto l10n = make();
    l10n->setLanguage(AppLanguage::De);
    m_prefs.setString(L10n::kLanguageKey, QStringLiteral("tampered"));
    writeTable(QStringLiteral("de"), R"({"a": "A de, neu"})");

    QStringList seen;
    QObject::connect(l10n.get(), &L10n::languageChanged,
                     [&] { seen << l10n->string(QStringLiteral("a")); });
    l10n->setLanguage(AppLanguage::De);
    EXPECT_EQ(m_prefs.stringValue(L10n::kLanguageKey), QStringLiteral("de"));
    EXPECT_EQ(seen, QStringList{QStringLiteral("A de, neu")});

    l10n->setLanguage(AppLanguage::Fr);
    EXPECT_EQ(seen.last(), QStringLiteral("A fr"));
    EXPECT_EQ(m_prefs.stringValue(L10n::kLanguageKey), QStringLiteral("fr"));
}

TEST_F(L10nFixture, systemIsResolvedAgainOnEveryReload)
{
    auto l10n = make({QStringLiteral("pt-PT"), QStringLiteral("zh-TW")});
    EXPECT_EQ(l10n->resolvedCode(), QStringLiteral("zh-Hant"));
    EXPECT_EQ(l10n->formattingLocale().script(), QLocale::TraditionalHanScript);
    const int asked = m_preferredAsked;
    l10n->setLanguage(AppLanguage::Fr);
    EXPECT_EQ(m_preferredAsked, asked);
    l10n->setLanguage(AppLanguage::System);
    EXPECT_EQ(m_preferredAsked, asked + 1);
    EXPECT_EQ(m_prefs.stringValue(L10n::kLanguageKey), QStringLiteral("system"));
}

TEST(L10nShipped, everyLanguageHasItsCompiledTable)
{
    QTemporaryDir dir;
    Preferences prefs(dir.path() + QStringLiteral("/prefs.json"));
    L10n l10n(prefs, [] { return QStringList{}; });
    const QString englishQuit = l10n.string(QStringLiteral("menu.quit"));
    for (AppLanguage language : allAppLanguages()) {
        l10n.setLanguage(language);
        EXPECT_TRUE(l10n.hasPrimaryTable()) << rawValue(language).toStdString();
        EXPECT_TRUE(l10n.hasFallbackTable());
        if (language != AppLanguage::System && language != AppLanguage::En) {
            EXPECT_NE(l10n.string(QStringLiteral("menu.quit")), englishQuit)
                << rawValue(language).toStdString();
        }
    }
}

TEST(L10nShipped, appLanguageRawValuesAndNamesRoundTrip)
{
    ASSERT_EQ(allAppLanguages().size(), 10);
    EXPECT_EQ(allAppLanguages().front(), AppLanguage::System);
    EXPECT_EQ(allAppLanguages().back(), AppLanguage::Th);
    for (AppLanguage language : allAppLanguages())
        EXPECT_EQ(appLanguageFromRaw(rawValue(language)), language);
    EXPECT_EQ(appLanguageFromRaw(QStringLiteral("zh-hans")), std::nullopt);
    EXPECT_EQ(appLanguageFromRaw(QString()), std::nullopt);

    L10n::shared().setLanguage(AppLanguage::En);
    EXPECT_EQ(displayName(AppLanguage::De), QStringLiteral("Deutsch"));
    EXPECT_EQ(L(QStringLiteral("settings.layout.rows.value"), {8}), QStringLiteral("8 rows"));
}
