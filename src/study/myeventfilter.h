#pragma once

#include <QObject>

// Installed on the application while a study window is open: swallows every context-menu
// event and reports each key press and mouse move (the learner is active).
class MyEventFilter : public QObject
{
    Q_OBJECT
public:
    explicit MyEventFilter(QObject *parent = nullptr);

signals:
    void resetMyTimer();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
