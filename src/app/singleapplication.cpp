#include "app/singleapplication.h"

#include <QCryptographicHash>
#include <QDebug>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

namespace {
const int kConnectTimeoutMs = 1000;
}

SingleApplication::SingleApplication(const QString &id, int &argc, char **argv)
    : QApplication(argc, argv), m_id(id)
{
    QLocalSocket probe;
    probe.connectToServer(socketName(m_id));
    m_otherRunning = probe.waitForConnected(kConnectTimeoutMs);
    if (!m_otherRunning)
        listen();
}

SingleApplication::~SingleApplication() = default;

QString SingleApplication::socketName(const QString &id)
{
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = qEnvironmentVariable("LOGNAME");
    // A private program root (MEMORA_ROOT) is a separate installation with its own data;
    // the cleaned path, so that "<root>/" and "<root>" are one installation.
    const QString root = qEnvironmentVariable("MEMORA_ROOT");
    const QString key = id + QLatin1Char('|') + user + QLatin1Char('|') +
                        (root.isEmpty() ? root : QDir::cleanPath(root));
    const QByteArray hash =
        QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("memora-") + QString::fromLatin1(hash);
}

void SingleApplication::listen()
{
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    const QString name = socketName(m_id);
    if (!m_server->listen(name)) {
        // No instance answered the probe, so a socket file left by a crashed instance is stale.
        QLocalServer::removeServer(name);
        if (!m_server->listen(name))
            qDebug() << "SingleApplication: cannot listen on" << name << m_server->errorString();
    }
    connect(m_server, &QLocalServer::newConnection, this, &SingleApplication::readConnection);
}

void SingleApplication::readConnection()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // One message per connection, terminated by a line feed.
        auto readMessage = [this, socket]() {
            if (!socket->canReadLine())
                return;
            const QString message = QString::fromUtf8(socket->readLine()).trimmed();
            socket->write("ok\n");
            socket->flush();
            Q_EMIT messageReceived(message);
        };
        connect(socket, &QLocalSocket::readyRead, this, readMessage);
        readMessage();
    }
}

bool SingleApplication::sendMessage(const QString &message, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(socketName(m_id));
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(message.toUtf8() + '\n');
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    // Wait for the acknowledgement so the message is known to have arrived.
    return socket.waitForReadyRead(timeoutMs) && socket.readAll().startsWith("ok");
}
