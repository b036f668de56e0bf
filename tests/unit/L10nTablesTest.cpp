// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/base/L10nKeys.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <gtest/gtest.h>

using namespace corvanite;

namespace {

const QStringList kTableCodes{
    QStringLiteral("en"), QStringLiteral("zh-Hans"), QStringLiteral("ja"),
    QStringLiteral("de"), QStringLiteral("fr"),      QStringLiteral("zh-Hant"),
    QStringLiteral("es"), QStringLiteral("ko"),      QStringLiteral("th")};

QJsonObject loadShippedTable(const QString& code)
{
    QFile file(QStringLiteral(":/i18n/") + code + QStringLiteral(".json"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError)
        << code.toStdString() << ": " << error.errorString().toStdString();
    EXPECT_TRUE(doc.isObject()) << code.toStdString();
    return doc.object();
}

} // namespace

TEST(L10nTables, catalogueListsEachKeyOnce)
{
    QSet<QString> keys;
    for (const L10nKeyInfo& info : l10nKeyCatalogue()) {
        EXPECT_FALSE(keys.contains(info.key)) << info.key.toStdString();
        keys.insert(info.key);
        EXPECT_EQ(findL10nKey(info.key), &info);
    }
    EXPECT_TRUE(keys.contains(QStringLiteral("settings.menubar.notch.always")));
    EXPECT_TRUE(keys.contains(QStringLiteral("proc.detail.pin")));
    EXPECT_EQ(findL10nKey(QStringLiteral("settings.module.")), nullptr);
}

TEST(L10nTables, everyTableIsCompleteAndMatchesItsArguments)
{
    Q_INIT_RESOURCE(i18n);
    for (const QString& code : kTableCodes) {
        SCOPED_TRACE(code.toStdString());
        const QJsonObject table = loadShippedTable(code);
        ASSERT_FALSE(table.isEmpty());
        for (auto it = table.begin(); it != table.end(); ++it) {
            const L10nKeyInfo* info = findL10nKey(it.key());
            EXPECT_NE(info, nullptr) << "unknown key " << it.key().toStdString();
            EXPECT_TRUE(it.value().isString()) << it.key().toStdString();
            if (!info || !it.value().isString())
                continue;
            const QString text = it.value().toString();
            EXPECT_FALSE(text.trimmed().isEmpty()) << it.key().toStdString();
            const QString problem = checkTranslation(*info, text);
            EXPECT_TRUE(problem.isEmpty()) << it.key().toStdString() << " = \""
                                           << text.toStdString() << "\": " << problem.toStdString();
        }
        for (const L10nKeyInfo& info : l10nKeyCatalogue())
            EXPECT_TRUE(table.contains(info.key)) << "missing " << info.key.toStdString();
    }
}

TEST(L10nTables, checkerRejectsTemplatesThatDoNotFitTheirArguments)
{
    using T = LArgType;
    const L10nKeyInfo none{QStringLiteral("k"), {}};
    const L10nKeyInfo twoInts{QStringLiteral("k"), {T::Integer, T::Integer}};
    const L10nKeyInfo stringDouble{QStringLiteral("k"), {T::String, T::Floating}};
    const L10nKeyInfo optional{QStringLiteral("k"), {T::Floating, T::Floating}, true};
    const std::vector<std::tuple<const L10nKeyInfo*, const char*, bool>> cases{
        {&none, "LOAD %", true},           {&none, "100%% sure", false},
        {&none, "%d items", false},        {&twoInts, "%d of %d", true},
        {&twoInts, "%2$d von %1$d", true}, {&twoInts, "%ld / %lld", true},
        {&twoInts, "%d", false},           {&twoInts, "%d %d %d", false},
        {&twoInts, "%d %.1f", false},      {&twoInts, "%d%% of %d", true},
        {&twoInts, "%d% of %d", false},    {&twoInts, "%1$d %d", false},
        {&twoInts, "%1$d %1$d", false},    {&twoInts, "%3$d %1$d %2$d", false},
        {&stringDouble, "%@: %.1f", true}, {&stringDouble, "%2$.0f %1$@", true},
        {&stringDouble, "%@: %d", false},  {&stringDouble, "%d: %.1f", false},
        {&optional, "%1$.1f min", true},   {&optional, "%.1f min", false},
        {&optional, "min", false},
    };
    for (const auto& [info, text, ok] : cases)
        EXPECT_EQ(checkTranslation(*info, QString::fromUtf8(text)).isEmpty(), ok) << text;
}
