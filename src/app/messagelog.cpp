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
    // Kept open between records: opening the file for each one cost more than the drill
    // step that logged it. Unbuffered, so each record is handed to the system as it is
    // written and a crash right after it cannot lose it.
    // Never destroyed: a message may still come while static objects are torn down at exit.
    static QFile *const openFile = new QFile;
    QFile &file = *openFile;
    const QString path = logFilePath();
    QMutexLocker lock(&mutex);
    const QByteArray record = formatLogRecord(QDateTime::currentDateTime(), message).toUtf8();
    if (!file.isOpen() || file.fileName() != path) {
        // The data folder moved (a new program root): the records follow it.
        file.close();
        file.setFileName(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
            return;
    }
    if (file.write(record) != record.size())
        // A failed write (disk full) is tried again on a freshly opened file.
        file.close();
}
