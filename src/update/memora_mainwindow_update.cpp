#include "update/memora_mainwindow_update.h"

#include "app/product.h"
#include "update/updatemgr.h"

Memora_MainWindow_Update::Memora_MainWindow_Update(UpdateMgr *updateMgr, QWidget *parent)
    : QDialog(parent), m_updateMgr(updateMgr)
{
    setupUi(this);
    setWindowTitle(Product::displayName());
    if (parent)
        move((parent->width() - width()) / 2 + parent->x(),
             (parent->height() - height()) / 2 + parent->y());
    m_notes = m_updateMgr ? m_updateMgr->updateNotes() : QString();
    teEd_updateLog->setPlainText(m_notes);
    if (!UpdateMgr::canSelfUpdate()) {
        teEd_updateLog->append(QStringLiteral("\n") + UpdateMgr::packageManagerText());
        pBtn_update->setEnabled(false);
    }
}

void Memora_MainWindow_Update::on_pBtn_update_clicked()
{
    accept();
}

void Memora_MainWindow_Update::on_pBtn_cancel_clicked()
{
    close();
}
