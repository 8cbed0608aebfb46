#include "logcapture.h"

namespace {
QStringList g_messages;

void captureHandler(QtMsgType, const QMessageLogContext &, const QString &message)
{
    g_messages << message;
}
} // namespace

LogCapture::LogCapture()
{
    g_messages.clear();
    m_previous = qInstallMessageHandler(captureHandler);
}

LogCapture::~LogCapture()
{
    qInstallMessageHandler(m_previous);
}

QStringList LogCapture::messages() const
{
    return g_messages;
}

QStringList LogCapture::matching(const QString &text) const
{
    QStringList result;
    for (const QString &m : g_messages)
        if (m.contains(text))
            result << m;
    return result;
}

void LogCapture::clear()
{
    g_messages.clear();
}
