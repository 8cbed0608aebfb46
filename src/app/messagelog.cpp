#include "app/messagelog.h"

#include "app/apppath.h"

#include <QFile>

QString formatLogRecord(const QDateTime &when, const QString &message)
{
    return QStringLiteral("%1 - - %2\r\n")
        .arg(when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")), message);
}

void messageHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    Q_UNUSED(type);
    Q_UNUSED(context);
    QFile file(logFilePath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    file.write(formatLogRecord(QDateTime::currentDateTime(), message).toUtf8());
}
