// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <functional>

class QNetworkAccessManager;
class QObject;

namespace corvanite {

// How one fetch of a small document ended.
struct FeedResponse {
    // Why the exchange itself failed (connection, TLS, redirects, time-out); empty whenever an
    // HTTP answer arrived, whatever its status.
    QString transportError;
    // The final HTTP status after redirects, 0 without an answer.
    int httpStatus = 0;
    // The whole body; empty when the exchange failed or the body was too large.
    QByteArray body;
    // The body passed the size limit and was abandoned part way.
    bool bodyTooLarge = false;
};

struct FeedRequestLimits {
    // No byte for this long ends the request.
    int transferTimeoutMs = 10000;
    // The whole request, however it trickles, never takes longer than this.
    int wholeRequestTimeoutMs = 30000;
    qint64 maxBodyBytes = 64 * 1024;
    int maxRedirects = 5;
};

namespace FeedRequest {

// The description a timed-out request reports.
QString timedOutDescription();

// Starts one GET of `url` that never touches a cache or cookies, follows redirects only when
// they are not less secure, and never holds more than the body limit in memory. `done` runs once
// on `context`'s thread, unless `context` is destroyed first.
void start(QNetworkAccessManager& network, const QUrl& url, const FeedRequestLimits& limits,
           QObject* context, std::function<void(const FeedResponse&)> done);

} // namespace FeedRequest

} // namespace corvanite
