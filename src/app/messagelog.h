#pragma once

#include <QDateTime>
#include <QString>
#include <QtGlobal>

// One log record: "<yyyy-MM-dd HH:mm:ss.zzz> - - <message>\r\n".
QString formatLogRecord(const QDateTime &when, const QString &message);

// Appends one record per message to logFilePath(); the message type is not written.
// The file stays open between records (opened again when logFilePath() changes or a write
// fails) and each record is written through at once, so a crash loses none already logged;
// a file that cannot be opened drops the record.
void messageHandler(QtMsgType type, const QMessageLogContext &context, const QString &message);
