#pragma once

#include "ui_memora_mainwindow_bubbletooltip.h"

#include <QDialog>
#include <QPoint>
#include <QRect>

class QTimer;

// A small frameless notifier that slides up above the taskbar in the lower right corner,
// stays for the time given to start_close() and slides down again, closing itself
// (rejected). While the pointer rests on it, it stays fully shown; leaving restarts the
// stay time. Accepted means the learner chose the "更新" button.
class Memora_MainWindow_BubbleTooltip : public QDialog, private Ui::Memora_MainWindow_BubbleTooltip
{
    Q_OBJECT
public:
    Memora_MainWindow_BubbleTooltip(const QString &title, QWidget *parent = nullptr);
    ~Memora_MainWindow_BubbleTooltip() override;

    QString message() const { return lab_message->text(); }
    // The y position at which the notifier is fully shown.
    int shownY() const;
    // Whether the stay time is running (not while the pointer rests on the notifier).
    bool isStaying() const;
    // Puts a different text on the "更新" button.
    void setUpdateButtonText(const QString &text);

public Q_SLOTS:
    void on_pBtn_update_clicked();
    void on_pBtn_cancel_clicked();
    void popUp();
    void popDown();
    void on_toolButton_clicked();
    void setMessage(const QString &mess);
    void exitMessageBox();
    void start_close(int time);

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    int m_x = 0;
    int m_y = 0;
    int m_taskbarHeight = 0;
    QTimer *m_popUpTimer = nullptr;
    QTimer *m_popDownTimer = nullptr;
    QTimer *m_stayTimer = nullptr;
    QRect m_desktop;
    int m_stayMs = 0;
    int m_stepMs = 8;
    QPoint m_dragOffset;
    bool m_dragging = false;
};
