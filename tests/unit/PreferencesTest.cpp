// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Preferences.h"

#include "tests/support/LogWatch.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace corvanite;

namespace {

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// Each kind of stored value answers only the reading of its own kind; every other reading gives
// the reading's "nothing", so a key of the wrong kind falls back to its default.
TEST(Preferences, readingsDoNotConvertBetweenKinds)
{
    struct Case {
        const char* name;
        QJsonValue stored;
        std::optional<bool> asBool;
        std::optional<double> asDouble;
        qint64 asInteger;
        std::optional<QString> asString;
        std::optional<QStringList> asStrings;
    };
    const Case cases[] = {
        {"bool", true, true, std::nullopt, 0, std::nullopt, std::nullopt},
        {"number", 5.0, std::nullopt, 5.0, 5, std::nullopt, std::nullopt},
        {"zero", 0.0, std::nullopt, 0.0, 0, std::nullopt, std::nullopt},
        {"string", QStringLiteral("5"), std::nullopt, std::nullopt, 0, QStringLiteral("5"),
         std::nullopt},
        {"string true", QStringLiteral("true"), std::nullopt, std::nullopt, 0,
         QStringLiteral("true"), std::nullopt},
        {"strings", QJsonArray{QStringLiteral("a"), QStringLiteral("b")}, std::nullopt,
         std::nullopt, 0, std::nullopt, QStringList{QStringLiteral("a"), QStringLiteral("b")}},
        {"mixed array", QJsonArray{QStringLiteral("a"), 1}, std::nullopt, std::nullopt, 0,
         std::nullopt, std::nullopt},
        {"object", QJsonObject{{QStringLiteral("x"), 1}}, std::nullopt, std::nullopt, 0,
         std::nullopt, std::nullopt},
        {"null", QJsonValue(QJsonValue::Null), std::nullopt, std::nullopt, 0, std::nullopt,
         std::nullopt},
        {"huge number", 1e300, std::nullopt, 1e300, 0, std::nullopt, std::nullopt},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("preferences.json"));
    QJsonObject stored;
    for (const Case& c : cases)
        stored.insert(QLatin1String(c.name), c.stored);
    writeBytes(path, QJsonDocument(stored).toJson());

    Preferences prefs(path);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString key = QLatin1String(c.name);
        EXPECT_TRUE(prefs.contains(key));
        EXPECT_EQ(prefs.storedBool(key), c.asBool);
        EXPECT_EQ(prefs.boolValue(key), c.asBool.value_or(false));
        EXPECT_EQ(prefs.storedDouble(key), c.asDouble);
        EXPECT_EQ(prefs.integerValue(key), c.asInteger);
        EXPECT_EQ(prefs.stringValue(key), c.asString);
        EXPECT_EQ(prefs.stringArray(key), c.asStrings);
        EXPECT_EQ(prefs.dataValue(key), std::nullopt);
    }
    EXPECT_FALSE(prefs.contains(QStringLiteral("absent")));
    EXPECT_EQ(prefs.storedBool(QStringLiteral("absent")), std::nullopt);
}

TEST(Preferences, valuesKeepTheirKindAcrossARestart)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sub/preferences.json"));
    const QByteArray blob("\x00\x01\xfe\xff", 4);
    {
        Preferences prefs(path);
        prefs.setBool(QStringLiteral("b"), false);
        prefs.setDouble(QStringLiteral("d"), 2.0);
        prefs.setInteger(QStringLiteral("i"), 12);
        prefs.setString(QStringLiteral("s"), QStringLiteral("ünïcode"));
        prefs.setStringArray(QStringLiteral("a"), {QStringLiteral("x"), QStringLiteral("y")});
        prefs.setData(QStringLiteral("blob"), blob);
        prefs.setBool(QStringLiteral("gone"), true);
        prefs.remove(QStringLiteral("gone"));
    }
    Preferences prefs(path);
    EXPECT_EQ(prefs.storedBool(QStringLiteral("b")), false);
    EXPECT_EQ(prefs.storedDouble(QStringLiteral("d")), 2.0);
    EXPECT_EQ(prefs.integerValue(QStringLiteral("i")), 12);
    EXPECT_EQ(prefs.stringValue(QStringLiteral("s")), QStringLiteral("ünïcode"));
    EXPECT_EQ(prefs.stringArray(QStringLiteral("a")),
              (QStringList{QStringLiteral("x"), QStringLiteral("y")}));
    EXPECT_EQ(prefs.dataValue(QStringLiteral("blob")), blob);
    EXPECT_FALSE(prefs.contains(QStringLiteral("gone")));
}

TEST(Preferences, unreadableFileIsKeptAsideAndNeverTouchedAgain)
{
    struct Case {
        const char* name;
        QByteArray bytes;
        const char* reason;
    };
    const Case cases[] = {
        {"broken JSON", QByteArray("{\"refreshInterval\": 5,"), nullptr},
        {"not an object", QByteArray("[1, 2, 3]"), "not a JSON object"},
        {"empty file", QByteArray(), nullptr},
        {"binary", QByteArray("\xff\xfe\x00garbage", 10), nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("preferences.json"));
        writeBytes(path, c.bytes);
        const test::LogWatch log;

        Preferences prefs(path);
        EXPECT_TRUE(prefs.isWritable());
        EXPECT_FALSE(prefs.contains(QStringLiteral("refreshInterval")));
        const QString aside = prefs.setAsidePath();
        ASSERT_FALSE(aside.isEmpty());
        EXPECT_NE(aside, path);
        EXPECT_EQ(readBytes(aside), c.bytes);
        ASSERT_EQ(log.lines().size(), 1);
        const QString line = log.lines().first();
        EXPECT_TRUE(line.startsWith(QStringLiteral("⚠ Preferences file unreadable (")))
            << line.toStdString();
        EXPECT_TRUE(line.contains(aside)) << line.toStdString();
        if (c.reason) {
            EXPECT_TRUE(line.contains(QLatin1String(c.reason))) << line.toStdString();
        }

        // The next write starts a fresh file and leaves the kept bytes alone.
        prefs.setDouble(QStringLiteral("refreshInterval"), 1);
        prefs.flush();
        EXPECT_EQ(readBytes(aside), c.bytes);
        EXPECT_EQ(Preferences(path).storedDouble(QStringLiteral("refreshInterval")), 1.0);
    }
}

TEST(Preferences, aSecondUnreadableFileGetsItsOwnName)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("preferences.json"));
    writeBytes(path, "first {");
    const QString firstAside = Preferences(path).setAsidePath();
    writeBytes(path, "second {");
    const QString secondAside = Preferences(path).setAsidePath();
    EXPECT_NE(firstAside, secondAside);
    EXPECT_EQ(readBytes(firstAside), QByteArray("first {"));
    EXPECT_EQ(readBytes(secondAside), QByteArray("second {"));
}

// When the file cannot be kept aside (here: the longer name does not fit the file system), the
// store must not overwrite the only copy of the user's values.
TEST(Preferences, unreadableFileThatCannotBeKeptAsideIsNotOverwritten)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QString(240, QLatin1Char('p')) + QStringLiteral(".json"));
    const QByteArray bytes("{\"alertsEnabled\": tru");
    writeBytes(path, bytes);
    const test::LogWatch log;

    Preferences prefs(path);
    EXPECT_FALSE(prefs.isWritable());
    EXPECT_TRUE(prefs.setAsidePath().isEmpty());
    prefs.setBool(QStringLiteral("alertsEnabled"), true);
    EXPECT_EQ(prefs.storedBool(QStringLiteral("alertsEnabled")), true); // held for this run
    EXPECT_EQ(readBytes(path), bytes);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    ASSERT_EQ(log.lines().size(), 1);
    EXPECT_TRUE(log.lines().first().contains(QStringLiteral("could not be kept aside")));
}

// The setters of one user action run in one event-loop turn and reach the disk in one write at
// its end; nothing is lost when the store goes away first.
TEST(Preferences, changesOfOneTurnAreWrittenOnceAtItsEnd)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("preferences.json"));
    {
        Preferences prefs(path);
        prefs.setBool(QStringLiteral("a"), true);
        prefs.setDouble(QStringLiteral("b"), 2.0);
        prefs.setString(QStringLiteral("c"), QStringLiteral("three"));
        EXPECT_FALSE(QFile::exists(path)) << "written before the turn ended";
        QCoreApplication::processEvents();
        const Preferences reread(path);
        EXPECT_EQ(reread.value(QStringLiteral("a")), QJsonValue(true));
        EXPECT_EQ(reread.value(QStringLiteral("c")), QJsonValue(QStringLiteral("three")));

        prefs.setDouble(QStringLiteral("b"), 5.0);
    }
    EXPECT_EQ(Preferences(path).value(QStringLiteral("b")), QJsonValue(5.0));
}

TEST(Preferences, aFailedWriteIsReportedOnceToTheHandler)
{
    QTemporaryDir dir;
    // A file where the folder should be: nothing can be written under it.
    writeBytes(dir.filePath(QStringLiteral("blocked")), "x");
    Preferences prefs(dir.filePath(QStringLiteral("blocked/preferences.json")));
    QStringList reported;
    prefs.setWriteFailureHandler([&](const QString& p) { reported.append(p); });
    prefs.setBool(QStringLiteral("a"), true);
    prefs.flush();
    prefs.setBool(QStringLiteral("b"), true);
    prefs.flush();
    EXPECT_EQ(reported, QStringList{prefs.filePath()});
}
