#pragma once

#include <QDateTime>
#include <QString>
#include <QtGlobal>

// One log record: "<yyyy-MM-dd HH:mm:ss.zzz> - - <message>\r\n".
QString formatLogRecord(const QDateTime &when, const QString &message);

// Appends one record per message to logFilePath(); the message type is not written.
// The file is opened and closed for every record; a file that cannot be opened drops it.
void messageHandler(QtMsgType type, const QMessageLogContext &context, const QString &message);
