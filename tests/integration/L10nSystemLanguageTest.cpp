// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/base/L10n.h"

#include "tests/support/QStringPrinter.h"

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

using namespace corvanite;

namespace {

const char* const kExpectVariable = "CORVANITE_L10N_EXPECT_CODE";

} // namespace

// Qt reads the desktop's languages from the environment once per process, so each case runs
// this test binary again as a child with that environment; the child checks the resolution.
TEST(L10nSystemLanguage, followsTheDesktopLanguageEnvironment)
{
    if (qEnvironmentVariableIsSet(kExpectVariable)) {
        EXPECT_EQ(L10n::resolveLanguageCode(L10n::systemPreferredLanguages()),
                  qEnvironmentVariable(kExpectVariable));
        return;
    }

    struct Case {
        QString language, lcAll, lcMessages, lang, expected;
    };
    const QList<Case> cases{
        {{}, {}, {}, QStringLiteral("de_DE.UTF-8"), QStringLiteral("de")},
        {{}, {}, {}, QStringLiteral("zh_HK.UTF-8"), QStringLiteral("zh-Hant")},
        {{}, {}, {}, QStringLiteral("zh_CN.UTF-8"), QStringLiteral("zh-Hans")},
        {{}, {}, {}, QStringLiteral("C"), QStringLiteral("en")},
        {{}, {}, {}, QStringLiteral("pt_BR.UTF-8"), QStringLiteral("en")},
        {QStringLiteral("pt_BR:fr"), {}, {}, QStringLiteral("pt_BR.UTF-8"), QStringLiteral("fr")},
        {{},
         QStringLiteral("ja_JP.UTF-8"),
         {},
         QStringLiteral("de_DE.UTF-8"),
         QStringLiteral("ja")},
        {{},
         {},
         QStringLiteral("ko_KR.UTF-8"),
         QStringLiteral("en_US.UTF-8"),
         QStringLiteral("ko")},
    };
    for (const Case& c : cases) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        const std::pair<const char*, QString> vars[] = {{"LANGUAGE", c.language},
                                                        {"LC_ALL", c.lcAll},
                                                        {"LC_MESSAGES", c.lcMessages},
                                                        {"LANG", c.lang}};
        for (const auto& [name, value] : vars) {
            if (value.isEmpty())
                env.remove(QString::fromLatin1(name));
            else
                env.insert(QString::fromLatin1(name), value);
        }
        env.insert(QString::fromLatin1(kExpectVariable), c.expected);

        QProcess child;
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=L10nSystemLanguage.*")});
        ASSERT_TRUE(child.waitForFinished(30000));
        EXPECT_EQ(child.exitCode(), 0)
            << "LANG=" << c.lang.toStdString() << " LANGUAGE=" << c.language.toStdString()
            << " LC_ALL=" << c.lcAll.toStdString() << "\n"
            << child.readAll().toStdString();
    }
}
