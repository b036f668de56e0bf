// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings/FeedRequest.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#include <memory>

namespace corvanite::FeedRequest {

namespace {

struct Progress {
    QByteArray body;
    bool tooLarge = false;
    bool timedOut = false;
};

int httpStatus(const QNetworkReply* reply)
{
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    return status.isValid() ? status.toInt() : 0;
}

// Qt reports 4xx and 5xx answers as reply errors; they are answers, not transport failures.
bool isHttpAnswer(const QNetworkReply* reply)
{
    return httpStatus(reply) >= 400 && reply->error() >= QNetworkReply::ContentAccessDenied;
}

} // namespace

QString timedOutDescription()
{
    return QStringLiteral("The request timed out.");
}

void start(QNetworkAccessManager& network, const QUrl& url, const FeedRequestLimits& limits,
           QObject* context, std::function<void(const FeedResponse&)> done)
{
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(limits.maxRedirects);
    request.setTransferTimeout(limits.transferTimeoutMs);
    request.setRawHeader("Accept", "application/json");
    request.setRawHeader("Cache-Control", "no-cache");

    QNetworkReply* reply = network.get(request);
    // Qt stops reading from the socket once this much waits unread, so a huge body is never
    // buffered beyond the limit even between two readyRead signals.
    reply->setReadBufferSize(limits.maxBodyBytes + 1);
    QObject::connect(reply, &QNetworkReply::finished, reply, &QObject::deleteLater);

    auto progress = std::make_shared<Progress>();
    const qint64 maxBytes = limits.maxBodyBytes;
    auto takeBody = [reply, progress, maxBytes] {
        if (progress->tooLarge)
            return;
        progress->body += reply->readAll();
        if (progress->body.size() > maxBytes) {
            progress->tooLarge = true;
            progress->body.clear();
            reply->abort();
        }
    };
    QObject::connect(reply, &QNetworkReply::readyRead, reply, takeBody);
    // A declared length over the limit is refused before any of the body is read.
    QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, [reply, progress, maxBytes] {
        const int status = httpStatus(reply);
        if (status >= 300 && status < 400)
            return;
        bool known = false;
        const qint64 length =
            reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&known);
        if (known && length > maxBytes && !progress->tooLarge) {
            progress->tooLarge = true;
            reply->abort();
        }
    });

    auto* deadline = new QTimer(reply);
    deadline->setSingleShot(true);
    QObject::connect(deadline, &QTimer::timeout, reply, [reply, progress] {
        progress->timedOut = true;
        reply->abort();
    });
    deadline->start(limits.wholeRequestTimeoutMs);

    QObject::connect(reply, &QNetworkReply::finished, context,
                     [reply, progress, takeBody, done = std::move(done)] {
                         FeedResponse response;
                         response.httpStatus = httpStatus(reply);
                         if (!progress->tooLarge && !progress->timedOut && reply->isReadable())
                             takeBody();
                         const QNetworkReply::NetworkError error = reply->error();
                         if (progress->tooLarge) {
                             response.bodyTooLarge = true;
                         } else if (progress->timedOut ||
                                    error == QNetworkReply::OperationCanceledError ||
                                    error == QNetworkReply::TimeoutError) {
                             // Besides the aborts above, only Qt's own transfer time-out cancels a
                             // request.
                             response.transportError = timedOutDescription();
                         } else if (error != QNetworkReply::NoError && !isHttpAnswer(reply)) {
                             response.transportError = reply->errorString();
                         } else {
                             response.body = progress->body;
                         }
                         if (!response.transportError.isEmpty())
                             response.httpStatus = 0;
                         done(response);
                     });
}

} // namespace corvanite::FeedRequest
