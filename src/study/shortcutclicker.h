#pragma once

#include <QObject>

class QAbstractButton;

// Makes a button's shortcut click it at once. A button clicks itself on its shortcut only
// after a 100 ms press animation; in the drill the next word must follow the key without
// that delay. Ambiguous shortcuts keep the button's own handling.
class ShortcutClicker : public QObject
{
    Q_OBJECT
public:
    explicit ShortcutClicker(QObject *parent = nullptr);

    void watch(QAbstractButton *button);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
