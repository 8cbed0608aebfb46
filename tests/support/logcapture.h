#pragma once

#include <QStringList>
#include <QtGlobal>

// Collects every message logged while the object lives (instead of writing it anywhere).
class LogCapture
{
public:
    LogCapture();
    ~LogCapture();

    QStringList messages() const;
    // Messages that contain text.
    QStringList matching(const QString &text) const;
    bool contains(const QString &text) const { return !matching(text).isEmpty(); }
    void clear();

private:
    QtMessageHandler m_previous;
};
