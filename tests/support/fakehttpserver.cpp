#include "fakehttpserver.h"

#include <QTcpSocket>
#include <QTimer>

FakeHttpServer::FakeHttpServer(QObject *parent) : QObject(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, &FakeHttpServer::handleConnection);
}

bool FakeHttpServer::start()
{
    return m_server.listen(QHostAddress::LocalHost, 0);
}

quint16 FakeHttpServer::port() const
{
    return m_server.serverPort();
}

QString FakeHttpServer::baseUrl() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(port());
}

QUrl FakeHttpServer::url(const QString &pathAndQuery) const
{
    return QUrl(baseUrl() + pathAndQuery);
}

void FakeHttpServer::setReply(const QString &pathAndQuery, const Reply &reply)
{
    m_replies.insert(pathAndQuery, reply);
}

void FakeHttpServer::setReply(const QString &pathAndQuery, int status, const QByteArray &body)
{
    Reply reply;
    reply.status = status;
    reply.body = body;
    setReply(pathAndQuery, reply);
}

void FakeHttpServer::clearReplies()
{
    m_replies.clear();
}

int FakeHttpServer::requestCount(const QString &pathAndQuery) const
{
    return int(m_requests.count(pathAndQuery));
}

void FakeHttpServer::handleConnection()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        auto buffer = QSharedPointer<QByteArray>::create();
        auto onData = [this, socket, buffer]() {
            buffer->append(socket->readAll());
            const int end = int(buffer->indexOf("\r\n\r\n"));
            if (end < 0)
                return;
            const QList<QByteArray> requestLine = buffer->left(buffer->indexOf("\r\n")).split(' ');
            buffer->clear();
            const QString target =
                requestLine.size() > 1 ? QString::fromLatin1(requestLine.at(1)) : QString();
            m_requests << target;
            Q_EMIT requestReceived(target);
            answer(socket, target);
        };
        connect(socket, &QTcpSocket::readyRead, this, onData);
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        onData();
    }
}

void FakeHttpServer::answer(QTcpSocket *socket, const QString &target)
{
    Reply reply;
    reply.status = 404;
    reply.body = "not found";
    reply.contentType = "text/plain";
    auto found = m_replies.constFind(target);
    if (found != m_replies.constEnd())
        reply = found.value();

    auto send = [socket, reply]() {
        if (reply.mode == Mode::Drop) {
            socket->abort();
            return;
        }
        QByteArray head = "HTTP/1.0 " + QByteArray::number(reply.status) +
                          (reply.status < 400 ? " OK" : " Error") + "\r\n";
        head += "Content-Type: " + reply.contentType + "\r\n";
        head += "Content-Length: " + QByteArray::number(reply.body.size()) + "\r\n";
        head += "Connection: close\r\n\r\n";
        socket->write(head);
        if (reply.mode == Mode::Truncated) {
            socket->write(reply.body.left(reply.body.size() / 2));
            socket->flush();
            socket->abort();
            return;
        }
        socket->write(reply.body);
        socket->disconnectFromHost();
    };
    if (reply.mode == Mode::Slow || reply.delayMs > 0)
        QTimer::singleShot(reply.delayMs, socket, send);
    else
        send();
}
