// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/LoopbackHttpServer.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>

namespace corvanite::test {

namespace {

constexpr qsizetype kMaxRequestHead = 64 * 1024;
constexpr qint64 kWriteWindow = 64 * 1024;

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 301:
        return "Moved Permanently";
    case 302:
        return "Found";
    case 304:
        return "Not Modified";
    case 404:
        return "Not Found";
    case 500:
        return "Internal Server Error";
    case 503:
        return "Service Unavailable";
    default:
        return "Status";
    }
}

QByteArray pathOnly(const QByteArray& target)
{
    const qsizetype query = target.indexOf('?');
    return query < 0 ? target : target.left(query);
}

} // namespace

struct LoopbackHttpServer::State {
    QHash<QByteArray, QList<HttpReply>> scripts;
    QHash<QByteArray, int> served;
    QList<RecordedRequest> requests;
    qint64 bodyBytesWritten = 0;
    int openConnections = 0;

    HttpReply replyFor(const QByteArray& path)
    {
        const auto script = scripts.constFind(path);
        if (script == scripts.constEnd() || script->isEmpty())
            return HttpReply::json(R"({"error":"not found"})", 404);
        const int index = std::min<int>(served[path]++, static_cast<int>(script->size()) - 1);
        return script->at(index);
    }
};

// One accepted socket: reads one request head, answers it from the script, then closes.
class LoopbackHttpServer::Connection : public QObject {
public:
    Connection(std::shared_ptr<State> state, QTcpSocket* socket, QObject* parent)
        : QObject(parent)
        , m_state(std::move(state))
        , m_socket(socket)
    {
        m_socket->setParent(this);
        ++m_state->openConnections;
        connect(m_socket, &QTcpSocket::readyRead, this, &Connection::readRequest);
        connect(m_socket, &QTcpSocket::bytesWritten, this, &Connection::pump);
        connect(m_socket, &QTcpSocket::disconnected, this, &QObject::deleteLater);
        connect(m_socket, &QTcpSocket::errorOccurred, this, &QObject::deleteLater);
    }
    ~Connection() override { --m_state->openConnections; }

private:
    void readRequest()
    {
        if (m_haveRequest) {
            m_socket->readAll();
            return;
        }
        m_head += m_socket->readAll();
        const qsizetype end = m_head.indexOf("\r\n\r\n");
        if (end < 0) {
            if (m_head.size() > kMaxRequestHead)
                m_socket->abort();
            return;
        }
        m_haveRequest = true;
        RecordedRequest request;
        const QList<QByteArray> lines = m_head.left(end).split('\n');
        const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
        request.method = requestLine.value(0);
        request.path = pathOnly(requestLine.value(1));
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const qsizetype colon = lines[i].indexOf(':');
            if (colon > 0)
                request.headers.append(
                    {lines[i].left(colon).trimmed(), lines[i].mid(colon + 1).trimmed()});
        }
        m_state->requests.append(request);
        m_reply = m_state->replyFor(request.path);
        if (m_reply.neverAnswer)
            return;
        QTimer::singleShot(m_reply.delayMs, this, &Connection::answer);
    }

    qint64 bodySize() const
    {
        return m_reply.fillerBodySize >= 0 ? m_reply.fillerBodySize : m_reply.body.size();
    }

    void answer()
    {
        QByteArray head = "HTTP/1.1 " + QByteArray::number(m_reply.status) + ' ' +
                          reasonPhrase(m_reply.status) + "\r\n";
        for (const auto& [name, value] : std::as_const(m_reply.headers))
            head += name + ": " + value + "\r\n";
        if (m_reply.sendContentLength)
            head += "Content-Length: " + QByteArray::number(bodySize()) + "\r\n";
        head += "Connection: close\r\n\r\n";
        m_socket->write(head);
        m_answering = true;
        if (m_reply.trickleIntervalMs > 0) {
            auto* trickle = new QTimer(this);
            connect(trickle, &QTimer::timeout, this, [this, trickle] {
                writeBody(m_reply.trickleBytes);
                if (m_sent >= bodySize()) {
                    trickle->stop();
                    m_socket->disconnectFromHost();
                }
            });
            trickle->start(m_reply.trickleIntervalMs);
            return;
        }
        pump();
    }

    // Keeps at most a window of unsent bytes queued, so a client that stops reading stops the
    // flow instead of the server buffering the whole body.
    void pump()
    {
        if (!m_answering || m_reply.trickleIntervalMs > 0)
            return;
        while (m_sent < bodySize() && m_socket->bytesToWrite() < kWriteWindow)
            writeBody(kWriteWindow);
        if (m_sent >= bodySize() && !m_closing) {
            m_closing = true;
            m_socket->disconnectFromHost();
        }
    }

    void writeBody(qint64 most)
    {
        const qint64 count = std::min(most, bodySize() - m_sent);
        if (count <= 0 || m_socket->state() != QAbstractSocket::ConnectedState)
            return;
        const QByteArray piece = m_reply.fillerBodySize >= 0
                                     ? QByteArray(static_cast<qsizetype>(count), 'x')
                                     : m_reply.body.mid(m_sent, count);
        m_socket->write(piece);
        m_sent += count;
        m_state->bodyBytesWritten += count;
    }

    std::shared_ptr<State> m_state;
    QTcpSocket* m_socket;
    QByteArray m_head;
    HttpReply m_reply;
    bool m_haveRequest = false;
    bool m_answering = false;
    bool m_closing = false;
    qint64 m_sent = 0;
};

HttpReply HttpReply::json(const QByteArray& body, int status)
{
    HttpReply reply;
    reply.status = status;
    reply.headers = {{"Content-Type", "application/json"}};
    reply.body = body;
    return reply;
}

HttpReply HttpReply::redirect(const QByteArray& location, int status)
{
    HttpReply reply;
    reply.status = status;
    reply.headers = {{"Location", location}};
    return reply;
}

QByteArray RecordedRequest::header(const QByteArray& name) const
{
    for (const auto& [key, value] : headers) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return {};
}

bool RecordedRequest::hasHeader(const QByteArray& name) const
{
    return std::any_of(headers.begin(), headers.end(), [&](const auto& header) {
        return header.first.compare(name, Qt::CaseInsensitive) == 0;
    });
}

LoopbackHttpServer::LoopbackHttpServer(QObject* parent)
    : QObject(parent)
    , m_server(new QTcpServer(this))
    , m_state(std::make_shared<State>())
{
    connect(m_server, &QTcpServer::newConnection, this, &LoopbackHttpServer::accept);
    m_server->listen(QHostAddress::LocalHost, 0);
}

LoopbackHttpServer::~LoopbackHttpServer() = default;

bool LoopbackHttpServer::isListening() const
{
    return m_server->isListening();
}

quint16 LoopbackHttpServer::port() const
{
    return m_server->serverPort();
}

QUrl LoopbackHttpServer::url(const QString& path) const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port()).arg(path));
}

void LoopbackHttpServer::setReplies(const QString& path, const QList<HttpReply>& replies)
{
    m_state->scripts.insert(path.toUtf8(), replies);
    m_state->served.remove(path.toUtf8());
}

QList<RecordedRequest> LoopbackHttpServer::requests() const
{
    return m_state->requests;
}

int LoopbackHttpServer::requestCount(const QString& path) const
{
    const QByteArray wanted = path.toUtf8();
    return static_cast<int>(
        std::count_if(m_state->requests.cbegin(), m_state->requests.cend(),
                      [&](const RecordedRequest& request) { return request.path == wanted; }));
}

qint64 LoopbackHttpServer::bodyBytesWritten() const
{
    return m_state->bodyBytesWritten;
}

int LoopbackHttpServer::openConnections() const
{
    return m_state->openConnections;
}

void LoopbackHttpServer::accept()
{
    while (QTcpSocket* socket = m_server->nextPendingConnection())
        new Connection(m_state, socket, this);
}

} // namespace corvanite::test
