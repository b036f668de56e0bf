// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings/UpdateChecker.h"

#include "app/base/Log.h"
#include "app/settings/FeedRequest.h"
#include "platform/Clock.h"
#include "platform/Preferences.h"

#include <QDesktopServices>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>

#include <algorithm>
#include <limits>

namespace corvanite {

namespace {

const QString kFeedURLKey = QStringLiteral("updateFeedURL");
const QString kLastCheckAtKey = QStringLiteral("updateLastCheckAt");

// A whole decimal number with an optional sign, else 0 ("3-beta", "", "+" and numbers too
// large for 64 bits all count as 0).
qint64 versionPiece(QStringView piece)
{
    qsizetype i = 0;
    const bool negative = piece.startsWith(QLatin1Char('-'));
    if (negative || piece.startsWith(QLatin1Char('+')))
        i = 1;
    if (i == piece.size())
        return 0;
    qint64 value = 0;
    for (; i < piece.size(); ++i) {
        const char16_t c = piece[i].unicode();
        if (c < u'0' || c > u'9')
            return 0;
        const int digit = c - u'0';
        if (value > (std::numeric_limits<qint64>::max() - digit) / 10)
            return 0;
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

QList<qint64> versionPieces(const QString& text)
{
    QList<qint64> pieces;
    for (const QStringView piece : QStringView(text).split(QLatin1Char('.'), Qt::SkipEmptyParts))
        pieces.append(versionPiece(piece));
    return pieces;
}

} // namespace

std::optional<UpdateFeed> parseUpdateFeed(const QByteArray& body)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();
    const QJsonValue version = object.value(QStringLiteral("version"));
    const QJsonValue url = object.value(QStringLiteral("url"));
    if (!version.isString() || !url.isString())
        return std::nullopt;
    // The address is handed to the desktop's opener, which would also run local files and
    // other schemes; only a web page is taken.
    const QUrl address(url.toString(), QUrl::StrictMode);
    if (!UpdateChecker::isWebAddress(address))
        return std::nullopt;
    return UpdateFeed{version.toString(), address};
}

VersionOrder compareVersions(const QString& a, const QString& b)
{
    const QList<qint64> left = versionPieces(a);
    const QList<qint64> right = versionPieces(b);
    const qsizetype count = std::max(left.size(), right.size());
    for (qsizetype i = 0; i < count; ++i) {
        const qint64 x = left.value(i, 0);
        const qint64 y = right.value(i, 0);
        if (x != y)
            return x < y ? VersionOrder::Ascending : VersionOrder::Descending;
    }
    return VersionOrder::Same;
}

UpdateChecker::UpdateChecker(Preferences& preferences, const Clock& clock,
                             std::function<bool()> autoCheckEnabled,
                             std::function<bool(const QUrl&)> openUrl, QString currentVersion,
                             int transferTimeoutMs, QObject* parent)
    : QObject(parent)
    , m_preferences(preferences)
    , m_clock(clock)
    , m_autoCheckEnabled(std::move(autoCheckEnabled))
    , m_openUrl(std::move(openUrl))
    , m_currentVersion(currentVersion.isEmpty() ? QStringLiteral("0") : std::move(currentVersion))
    , m_transferTimeoutMs(transferTimeoutMs)
{
    // No disk cache is ever set and cookies are neither sent nor kept (see FeedRequest), so
    // every check asks the server afresh and leaves nothing behind.
    m_launchTimer.setSingleShot(true);
    m_launchTimer.setInterval(kLaunchCheckDelayMs);
    m_periodicTimer.setInterval(kPeriodicCheckIntervalMs);
    // A check a few minutes late does not matter; let the system batch the wake-up.
    m_periodicTimer.setTimerType(Qt::VeryCoarseTimer);
    connect(&m_launchTimer, &QTimer::timeout, this, &UpdateChecker::autoCheckIfDue);
    connect(&m_periodicTimer, &QTimer::timeout, this, &UpdateChecker::autoCheckIfDue);
}

UpdateChecker::~UpdateChecker() = default;

QString UpdateChecker::builtInVersion()
{
    return QStringLiteral(CORVANITE_VERSION);
}

QUrl UpdateChecker::defaultFeedURL()
{
    return QUrl(QStringLiteral("https://corvanite.app/updates/version.json"));
}

bool UpdateChecker::isWebAddress(const QUrl& url)
{
    const QString scheme = url.scheme();
    return url.isValid() && (scheme == QLatin1String("https") || scheme == QLatin1String("http")) &&
           !url.host().isEmpty();
}

QUrl UpdateChecker::feedURL() const
{
    const std::optional<QString> override = m_preferences.stringValue(kFeedURLKey);
    if (!override)
        return defaultFeedURL();
    const QUrl url(*override, QUrl::StrictMode);
    if (isWebAddress(url))
        return url;
    Log::debug(QStringLiteral("⚠ Ignoring updateFeedURL, not an http(s) address: ") + *override);
    return defaultFeedURL();
}

void UpdateChecker::startAutoCheck()
{
    m_launchTimer.start();
    m_periodicTimer.start();
}

void UpdateChecker::autoCheckIfDue()
{
    if (!m_autoCheckEnabled())
        return;
    const double now = m_clock.unixNow();
    const double last = m_preferences.doubleValue(kLastCheckAtKey);
    // A last check in the future means the clock was wrong then or is wrong now; waiting for
    // that moment could stop automatic checks for years, so the check counts as due.
    if (now - last >= kAutoCheckSpacing || last > now)
        check(false);
}

void UpdateChecker::checkNow()
{
    check(true);
}

bool UpdateChecker::openDownloadPage()
{
    if (!m_downloadURL)
        return false;
    const bool opened = m_openUrl(*m_downloadURL);
    if (!opened)
        Log::debug(QStringLiteral("⚠ Could not open the download page: ") +
                   m_downloadURL->toString());
    return opened;
}

void UpdateChecker::check(bool manual)
{
    const QUrl url = feedURL();
    if (manual)
        setManualState(UpdateCheckState::Checking);
    FeedRequestLimits limits;
    limits.transferTimeoutMs = m_transferTimeoutMs;
    // A feed that trickles a byte now and then would otherwise keep "checking" for days.
    limits.wholeRequestTimeoutMs = 3 * m_transferTimeoutMs;
    limits.maxBodyBytes = kMaxFeedBytes;
    // The network stack (its threads, its caches, some megabytes) lives only while a check
    // runs: checks are days apart.
    if (!m_network)
        m_network = new QNetworkAccessManager(this);
    ++m_checksInFlight;
    FeedRequest::start(*m_network, url, limits, this, [this, manual](const FeedResponse& response) {
        handleResponse(response, manual);
        if (--m_checksInFlight == 0 && m_network) {
            m_network->deleteLater();
            m_network = nullptr;
        }
    });
}

void UpdateChecker::handleResponse(const FeedResponse& response, bool manual)
{
    m_preferences.setDouble(kLastCheckAtKey, m_clock.unixNow());

    std::optional<UpdateFeed> feed;
    if (response.transportError.isEmpty() && response.httpStatus == 200 && !response.bodyTooLarge)
        feed = parseUpdateFeed(response.body);
    if (!feed) {
        Log::debug(QStringLiteral("Update check failed: ") +
                   (response.transportError.isEmpty()
                        ? QStringLiteral("unexpected response or feed format")
                        : response.transportError));
        if (manual)
            setManualState(UpdateCheckState::Failed);
        return;
    }

    if (compareVersions(m_currentVersion, feed->version) == VersionOrder::Ascending) {
        setAvailableUpdate(feed->version, feed->url);
        if (manual)
            setManualState(UpdateCheckState::Idle);
        Log::debug(QStringLiteral("Update available: ") + Log::escaped(feed->version) +
                   QStringLiteral(" (current ") + m_currentVersion + QLatin1Char(')'));
    } else {
        setAvailableUpdate(std::nullopt, std::nullopt);
        if (manual)
            setManualState(UpdateCheckState::UpToDate);
        Log::debug(QStringLiteral("Update check: up to date (current ") + m_currentVersion +
                   QStringLiteral(", feed ") + Log::escaped(feed->version) + QLatin1Char(')'));
    }
}

void UpdateChecker::setManualState(UpdateCheckState state)
{
    m_manualState = state;
    Q_EMIT manualStateChanged();
}

void UpdateChecker::setAvailableUpdate(std::optional<QString> version, std::optional<QUrl> url)
{
    // The address first, so observers of the version already see the matching page.
    m_downloadURL = std::move(url);
    m_availableVersion = std::move(version);
    Q_EMIT availableVersionChanged();
}

} // namespace corvanite
