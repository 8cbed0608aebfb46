#pragma once

#include <QApplication>
#include <QString>

class QLocalServer;

// The trainer's application object: a QApplication that is the only running instance
// for its identifier and user. A later start finds the first through a local socket,
// sends it a message and quits; the first emits messageReceived.
class SingleApplication : public QApplication
{
    Q_OBJECT
public:
    SingleApplication(const QString &id, int &argc, char **argv);
    ~SingleApplication() override;

    // True when another instance with the same identifier answers on the socket.
    bool isRunning() const { return m_otherRunning; }
    // Sends message to the running instance; false if it cannot be reached in timeoutMs.
    bool sendMessage(const QString &message, int timeoutMs = 5000);
    QString id() const { return m_id; }
    // The local socket name for an identifier: per user, safe for the file system.
    static QString socketName(const QString &id);

Q_SIGNALS:
    void messageReceived(const QString &message);

private:
    void listen();
    void readConnection();

    QString m_id;
    QLocalServer *m_server = nullptr;
    bool m_otherRunning = false;
};
