#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QStringList>
#include <QTcpServer>
#include <QUrl>

// A tiny HTTP/1.0 server for tests, on 127.0.0.1 and a free port. Each path (with its
// query, as the client sent it) gets a canned reply; unknown paths get 404. Every
// request line's target is recorded.
class FakeHttpServer : public QObject
{
    Q_OBJECT
public:
    enum class Mode
    {
        Normal,    // status + body
        Drop,      // close the connection without answering
        Truncated, // announce the full length, send half the body, close
        Slow       // wait delayMs before answering
    };
    struct Reply
    {
        int status = 200;
        QByteArray body;
        QByteArray contentType = "application/octet-stream";
        Mode mode = Mode::Normal;
        int delayMs = 0;
    };

    explicit FakeHttpServer(QObject *parent = nullptr);

    bool start();
    quint16 port() const;
    // "http://127.0.0.1:<port>"
    QString baseUrl() const;
    QUrl url(const QString &pathAndQuery) const;

    void setReply(const QString &pathAndQuery, const Reply &reply);
    void setReply(const QString &pathAndQuery, int status, const QByteArray &body);
    void clearReplies();
    // Request targets received so far, in order.
    QStringList requests() const { return m_requests; }
    int requestCount(const QString &pathAndQuery) const;
    void clearRequests() { m_requests.clear(); }

Q_SIGNALS:
    void requestReceived(const QString &pathAndQuery);

private:
    void handleConnection();
    void answer(class QTcpSocket *socket, const QString &target);

    QTcpServer m_server;
    QHash<QString, Reply> m_replies;
    QStringList m_requests;
};
