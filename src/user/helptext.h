#pragma once

#include <QString>

// The What's This text of a control: a blue heading over a line of explanation.
inline QString helpText(const QString &title, const QString &body)
{
    return QStringLiteral("<h2><strong><font color=blue>%1</color></strong></h2><p>%2</p>")
        .arg(title, body);
}
