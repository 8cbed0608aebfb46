#pragma once

#include "ui_memora_mainwindow_update.h"

#include <QDialog>

class UpdateMgr;

// Shows the notes of a new version after a manual check and offers to update; accepted
// means the learner chose "更新". Where the program files belong to the system's package
// manager, the dialog says so and its update button is disabled.
class Memora_MainWindow_Update : public QDialog, private Ui::Memora_MainWindow_Update
{
    Q_OBJECT
public:
    Memora_MainWindow_Update(UpdateMgr *updateMgr, QWidget *parent = nullptr);

    QString notes() const { return m_notes; }

public Q_SLOTS:
    void on_pBtn_update_clicked();
    void on_pBtn_cancel_clicked();

private:
    UpdateMgr *m_updateMgr;
    QString m_notes;
};
