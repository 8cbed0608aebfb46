#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>

// A stand-in for an external audio player: a shell script that appends its argument (the
// sound file) to a log, one line per run. played() lists what was played, in order.
class RecordingPlayer
{
public:
    explicit RecordingPlayer(const QString &folder)
        : m_program(folder + QStringLiteral("/player.sh")),
          m_log(folder + QStringLiteral("/played.txt"))
    {
        QFile script(m_program);
        if (!script.open(QIODevice::WriteOnly))
            return;
        script.write("#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" + QFile::encodeName(m_log) + "'\n");
        script.close();
        m_valid = script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    bool isValid() const { return m_valid; }
    QString program() const { return m_program; }
    QStringList played() const
    {
        QFile log(m_log);
        if (!log.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

private:
    QString m_program;
    QString m_log;
    bool m_valid = false;
};
