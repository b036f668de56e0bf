// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <QUrl>

#include <functional>
#include <optional>

class QNetworkAccessManager;

namespace corvanite {

class Clock;
class Preferences;
struct FeedResponse;

// Progress and outcome of the last check the user asked for.
enum class UpdateCheckState { Idle, Checking, UpToDate, Failed };

enum class VersionOrder { Ascending, Same, Descending };

// Orders two dotted version texts number by number ("1.10" is after "1.9", "1.2" equals
// "1.2.0"). Empty pieces are skipped and a piece that is not a whole decimal number counts as 0.
VersionOrder compareVersions(const QString& a, const QString& b);

// What the feed announces: the published version and its download page.
struct UpdateFeed {
    QString version;
    QUrl url;
};

// Reads a feed body: a JSON object whose "version" and "url" are strings, the address an
// absolute web address. Nothing for anything else.
std::optional<UpdateFeed> parseUpdateFeed(const QByteArray& body);

// Finds out whether a newer Corvanite has been published by fetching a small JSON feed
// ({"version": "...", "url": "..."}) and publishes the newer version and its download page.
// Automatic checks run at most once a day; manual checks report their outcome in manualState().
// Nothing is downloaded or installed: the download page opens in the user's browser.
class UpdateChecker : public QObject {
    Q_OBJECT
public:
    static constexpr int kTransferTimeoutMs = 10000;
    static constexpr int kLaunchCheckDelayMs = 10 * 1000;
    static constexpr int kPeriodicCheckIntervalMs = 21600 * 1000;
    static constexpr double kAutoCheckSpacing = 86400.0;
    static constexpr qint64 kMaxFeedBytes = 64 * 1024;

    static UpdateChecker& shared();

    // autoCheckEnabled: whether the user allows automatic checks, asked at each due time.
    // openUrl: hands an address to the desktop's browser. currentVersion: the running version
    // ("0" when empty). transferTimeoutMs: how long a request may stay silent.
    UpdateChecker(Preferences& preferences, const Clock& clock,
                  std::function<bool()> autoCheckEnabled, std::function<bool(const QUrl&)> openUrl,
                  QString currentVersion = builtInVersion(),
                  int transferTimeoutMs = kTransferTimeoutMs, QObject* parent = nullptr);
    ~UpdateChecker() override;

    // Schedules an automatic check 10 s from now and then every 6 hours, each run only when
    // due (autoCheckIfDue). Calling it again restarts both timers.
    void startAutoCheck();
    // Checks when the user allows automatic checks and the last check is a day old or more.
    void autoCheckIfDue();
    // A check the user asked for; its progress shows in manualState().
    void checkNow();
    // Opens the download page of an available update; false when there is none or it failed.
    bool openDownloadPage();

    std::optional<QString> availableVersion() const { return m_availableVersion; }
    UpdateCheckState manualState() const { return m_manualState; }
    std::optional<QUrl> downloadURL() const { return m_downloadURL; }
    QString currentVersion() const { return m_currentVersion; }

    // The override under "updateFeedURL" when it is a usable web address, else the default.
    QUrl feedURL() const;
    static QUrl defaultFeedURL();
    // The version this program was built as.
    static QString builtInVersion();
    // An absolute http or https address with a host: the only kind fetched or opened.
    static bool isWebAddress(const QUrl& url);

    // The two timers startAutoCheck() arms, exposed so tests can inspect and fire them.
    QTimer& launchCheckTimer() { return m_launchTimer; }
    QTimer& periodicCheckTimer() { return m_periodicTimer; }

Q_SIGNALS:
    void availableVersionChanged();
    void manualStateChanged();

private:
    void check(bool manual);
    void handleResponse(const FeedResponse& response, bool manual);
    void setManualState(UpdateCheckState state);
    void setAvailableUpdate(std::optional<QString> version, std::optional<QUrl> url);

    Preferences& m_preferences;
    const Clock& m_clock;
    std::function<bool()> m_autoCheckEnabled;
    std::function<bool(const QUrl&)> m_openUrl;
    QString m_currentVersion;
    int m_transferTimeoutMs;

    std::optional<QString> m_availableVersion;
    UpdateCheckState m_manualState = UpdateCheckState::Idle;
    std::optional<QUrl> m_downloadURL;
    QTimer m_launchTimer;
    QTimer m_periodicTimer;
    // Made for a check and dropped after it; null between checks.
    QNetworkAccessManager* m_network = nullptr;
    int m_checksInFlight = 0;
};

} // namespace corvanite
