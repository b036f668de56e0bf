// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/base/Log.h"
#include "app/settings/UpdateChecker.h"
#include "platform/Clock.h"
#include "platform/Preferences.h"

#include "tests/support/LoopbackHttpServer.h"
#include "tests/support/WaitFor.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace corvanite::test {

inline const QString kFeedPath = QStringLiteral("/updates/version.json");
inline const QString kLastCheckAt = QStringLiteral("updateLastCheckAt");
inline const QString kUnexpected = QStringLiteral("unexpected response or feed format");

inline QByteArray feed(const char* version, const char* url = "https://corvanite.example/download")
{
    return QByteArray(R"({"version":")") + version + R"(","url":")" + url + R"("})";
}

inline const char* stateName(UpdateCheckState state)
{
    switch (state) {
    case UpdateCheckState::Idle:
        return "idle";
    case UpdateCheckState::Checking:
        return "checking";
    case UpdateCheckState::UpToDate:
        return "upToDate";
    case UpdateCheckState::Failed:
        return "failed";
    }
    return "?";
}

// An update checker pointed at a loopback feed server, with a fake clock, a switchable
// automatic-check preference and a recording URL opener. Outcomes are read back from the log.
class UpdateCheckerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_server.isListening());
        ASSERT_TRUE(m_dir.isValid());
        m_preferences = std::make_unique<Preferences>(m_dir.filePath(QStringLiteral("prefs.json")));
        m_preferences->setString(QStringLiteral("updateFeedURL"),
                                 m_server.url(kFeedPath).toString());
        m_logStart = QFileInfo(Logger::shared().path()).size();
    }

    std::unique_ptr<UpdateChecker> makeChecker(int transferTimeoutMs = 3000,
                                               const QString& version = QStringLiteral("1.2.0"))
    {
        auto checker = std::make_unique<UpdateChecker>(
            *m_preferences, m_clock,
            [this] {
                ++m_autoCheckAsked;
                return m_autoCheck;
            },
            [this](const QUrl& url) {
                m_opened.append(url);
                return m_openerWorks;
            },
            version, transferTimeoutMs);
        QObject::connect(
            checker.get(), &UpdateChecker::manualStateChanged, checker.get(),
            [this, c = checker.get()] { m_states.append(stateName(c->manualState())); });
        QObject::connect(checker.get(), &UpdateChecker::availableVersionChanged, checker.get(),
                         [this] { ++m_versionSignals; });
        return checker;
    }

    // Log lines written since the test began, without their time prefix.
    QStringList logLines() const
    {
        QFile file(Logger::shared().path());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        file.seek(m_logStart);
        QStringList lines;
        for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
            const qsizetype prefixEnd = line.indexOf(QStringLiteral("] "));
            if (prefixEnd >= 0)
                lines.append(line.mid(prefixEnd + 2));
        }
        return lines;
    }

    // The lines that report the outcome of a check, in the order the outcomes arrived.
    QStringList resultLines() const
    {
        QStringList results;
        for (const QString& line : logLines()) {
            if (line.startsWith(QStringLiteral("Update available: ")) ||
                line.startsWith(QStringLiteral("Update check: up to date")) ||
                line.startsWith(QStringLiteral("Update check failed: ")))
                results.append(line);
        }
        return results;
    }

    bool waitForResults(int count, int timeoutMs = 8000)
    {
        return waitFor([&] { return resultLines().size() >= count; }, timeoutMs);
    }

    double lastCheckAt() const { return m_preferences->doubleValue(kLastCheckAt); }

    LoopbackHttpServer m_server;
    QTemporaryDir m_dir;
    std::unique_ptr<Preferences> m_preferences;
    FakeClock m_clock;
    qint64 m_logStart = 0;
    bool m_autoCheck = true;
    int m_autoCheckAsked = 0;
    bool m_openerWorks = true;
    QList<QUrl> m_opened;
    QStringList m_states;
    int m_versionSignals = 0;
};

} // namespace corvanite::test
