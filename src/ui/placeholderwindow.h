#pragma once

#include <QDateTime>
#include <QWidget>

class QLabel;

// The trainer's window until the full main window exists: shows the skin's background
// and the logged-in user, and answers the single-instance messages.
class PlaceholderWindow : public QWidget
{
    Q_OBJECT
public:
    explicit PlaceholderWindow(QWidget *parent = nullptr);

    // Records the log-in and shows the window.
    void logIn(const QString &userName, const QDateTime &previousLogin);
    QString userName() const { return m_userName; }

public Q_SLOTS:
    // "RaiseWindow" brings the window to the front; "Close" quits the application.
    void handleMessage(const QString &message);

private:
    QLabel *m_label;
    QString m_userName;
};
