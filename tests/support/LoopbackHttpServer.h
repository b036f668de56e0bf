// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QUrl>

#include <memory>

class QTcpServer;

namespace corvanite::test {

// One scripted answer of the loopback server.
struct HttpReply {
    int status = 200;
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray body;
    // Wait this long after the request arrived before answering.
    int delayMs = 0;
    // Read the request, then keep the connection open and never say anything.
    bool neverAnswer = false;
    // When >= 0, send this many filler bytes as the body instead of `body`, written only as fast
    // as the client takes them, so a client that stops reading stops the flow.
    qint64 fillerBodySize = -1;
    // Send a Content-Length header (otherwise the body ends when the connection closes).
    bool sendContentLength = true;
    // When > 0, send the body in pieces of trickleBytes every trickleIntervalMs.
    int trickleIntervalMs = 0;
    int trickleBytes = 1;

    static HttpReply json(const QByteArray& body, int status = 200);
    static HttpReply redirect(const QByteArray& location, int status = 302);
};

struct RecordedRequest {
    QByteArray method;
    QByteArray path;
    QList<QPair<QByteArray, QByteArray>> headers;

    // The first header of that name (case-insensitive), empty when absent.
    QByteArray header(const QByteArray& name) const;
    bool hasHeader(const QByteArray& name) const;
};

// A small HTTP/1.1 server on 127.0.0.1 with a port chosen by the system, answering each path
// from a script. Every answer closes its connection. Lives on the thread that created it and is
// served by that thread's event loop, so tests spin the loop while they wait.
class LoopbackHttpServer : public QObject {
    Q_OBJECT
public:
    explicit LoopbackHttpServer(QObject* parent = nullptr);
    ~LoopbackHttpServer() override;

    bool isListening() const;
    quint16 port() const;
    // http://127.0.0.1:<port><path>
    QUrl url(const QString& path) const;

    // The n-th request for `path` gets the n-th reply; the last one repeats. A path without a
    // script answers 404.
    void setReplies(const QString& path, const QList<HttpReply>& replies);
    void setReply(const QString& path, const HttpReply& reply) { setReplies(path, {reply}); }

    QList<RecordedRequest> requests() const;
    int requestCount(const QString& path) const;
    // Body bytes handed to the sockets so far, over all connections.
    qint64 bodyBytesWritten() const;
    // Connections still open (answered or not).
    int openConnections() const;

    // What the server and its connections share; connections may outlive a moment of the
    // server's teardown, so they hold it rather than the server.
    struct State;

private:
    class Connection;

    void accept();

    QTcpServer* m_server = nullptr;
    std::shared_ptr<State> m_state;
};

} // namespace corvanite::test
