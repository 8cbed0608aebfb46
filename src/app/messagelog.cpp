#include "app/messagelog.h"

#include "app/apppath.h"

#include <QFile>
#include <QMutex>

QString formatLogRecord(const QDateTime &when, const QString &message)
{
    return QStringLiteral("%1 - - %2\r\n")
        .arg(when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")), message);
}

void messageHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    Q_UNUSED(type);
    Q_UNUSED(context);
    // Records come from the record writer's thread too: one at a time.
    static QMutex mutex;
    QMutexLocker lock(&mutex);
    QFile file(logFilePath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    file.write(formatLogRecord(QDateTime::currentDateTime(), message).toUtf8());
}
