#include "user/memora_mainwindow_studyparameter.h"

#include "app/product.h"

#include "learn/learnsetmgr.h"
#include "user/memora_forgottenpointmodel.h"
#include "user/memora_mainwindow_forgopointinput.h"

#include <QApplication>
#include <QDebug>
#include <QMessageBox>
#include <QScreen>

namespace {

const char kFreeStyle[] = "border-color: rgb(125, 125, 125); border-width:1px; border-style:none "
                          "none solid; background: transparent;";
const char kPlanStyle[] = "border-color: rgb(255, 0, 0); border-width:1px; border-style:none none "
                          "solid; background: transparent;";

} // namespace

Memora_MainWindow_StudyParameter::Memora_MainWindow_StudyParameter(LearnSetMgr *settings,
                                                                   const QString &userName,
                                                                   int courseId, QWidget *parent)
    : QDialog(parent), m_settings(settings), m_userName(userName), m_courseId(courseId),
      m_model(new Memora_ForgottenPointModel(this))
{
    setupUi(this);
    setWindowTitle(Product::displayName());
    // Over the window that opens it, or over the screen while that one is not shown yet.
    adjustSize();
    QWidget *over = parentWidget() ? parentWidget()->window() : nullptr;
    QScreen *screen = over ? over->screen() : QGuiApplication::primaryScreen();
    const QRect area = over && over->isVisible() ? over->geometry()
                       : screen                  ? screen->availableGeometry()
                                                 : QRect();
    if (area.isValid())
        move(area.center() - rect().center());
    QApplication::setOverrideCursor(Qt::ArrowCursor);

    if (m_settings) {
        m_mode = m_settings->learnMode();
        m_wordsPerDay = m_settings->planWordCount();
        m_model->setPoints(m_settings->forgettingPoints());
    }
    taVi_forgottenPoint->setModel(m_model);
    taVi_forgottenPoint->setColumnWidth(0, 150);
    selectRow(0);
    liEd_wordCount->setText(QString::number(m_wordsPerDay));
    if (m_mode == 2) {
        rBtn_planMode->setChecked(true);
        showPlanMode();
    } else {
        rBtn_freeMode->setChecked(m_mode == 1);
        showFreeMode();
    }
}

Memora_MainWindow_StudyParameter::~Memora_MainWindow_StudyParameter()
{
    QApplication::restoreOverrideCursor();
}

void Memora_MainWindow_StudyParameter::showFreeMode()
{
    frame_wordCount->setEnabled(false);
    liEd_wordCount->setStyleSheet(QLatin1String(kFreeStyle));
}

void Memora_MainWindow_StudyParameter::showPlanMode()
{
    frame_wordCount->setEnabled(true);
    liEd_wordCount->setFocus();
    liEd_wordCount->setStyleSheet(QLatin1String(kPlanStyle));
}

void Memora_MainWindow_StudyParameter::on_rBtn_freeMode_clicked(bool checked)
{
    if (!checked)
        return;
    m_mode = 1;
    showFreeMode();
}

void Memora_MainWindow_StudyParameter::on_rBtn_planMode_clicked(bool checked)
{
    if (!checked)
        return;
    m_mode = 2;
    showPlanMode();
}

void Memora_MainWindow_StudyParameter::selectRow(int row)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    taVi_forgottenPoint->setCurrentIndex(m_model->index(row, 0));
    taVi_forgottenPoint->selectRow(row);
}

int Memora_MainWindow_StudyParameter::currentOrFirstRow()
{
    const QModelIndex current = taVi_forgottenPoint->currentIndex();
    if (current.isValid())
        return current.row();
    selectRow(0);
    return m_model->rowCount() > 0 ? 0 : -1;
}

void Memora_MainWindow_StudyParameter::on_pBtn_add_clicked()
{
    const QModelIndex current = taVi_forgottenPoint->currentIndex();
    const int row = current.isValid() ? current.row() : m_model->rowCount() - 1;
    Memora_MainWindow_ForgoPointInput input(0, this);
    if (input.exec() != QDialog::Accepted)
        return;
    m_model->insertPoint(row, input.value());
    selectRow(qMax(0, row));
}

void Memora_MainWindow_StudyParameter::on_pBtn_modify_clicked()
{
    const int row = currentOrFirstRow();
    if (row < 0)
        return;
    Memora_MainWindow_ForgoPointInput input(m_model->point(row), this);
    if (input.exec() != QDialog::Accepted)
        return;
    m_model->setPoint(m_model->index(row, 0), input.value());
}

void Memora_MainWindow_StudyParameter::on_pBtn_del_clicked()
{
    const int row = currentOrFirstRow();
    if (row < 0)
        return;
    const QMessageBox::StandardButton answer = QMessageBox::warning(
        this, Product::displayName(),
        tr("确定要删除 [%1] 遗忘点?").arg(m_model->point(row)), QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    m_model->removePoint(row);
    selectRow(qMin(row, m_model->rowCount() - 1));
}

void Memora_MainWindow_StudyParameter::on_tBtn_up_clicked()
{
    const QModelIndex current = taVi_forgottenPoint->currentIndex();
    if (!current.isValid())
        return;
    if (m_model->movePoint(current.row(), true))
        selectRow(current.row() - 1);
}

void Memora_MainWindow_StudyParameter::on_tBtn_down_clicked()
{
    const QModelIndex current = taVi_forgottenPoint->currentIndex();
    if (!current.isValid()) {
        selectRow(m_model->rowCount() - 1);
        return;
    }
    const int row = current.row();
    if (m_model->movePoint(row, false))
        selectRow(row + 1);
}

void Memora_MainWindow_StudyParameter::on_taVi_forgottenPoint_clicked(const QModelIndex &index)
{
    Q_UNUSED(index);
}

void Memora_MainWindow_StudyParameter::on_pBtn_OK_clicked()
{
    if (frame_wordCount->isEnabled()) {
        const QString text = liEd_wordCount->text().trimmed();
        m_wordsPerDay = text.isEmpty() ? 100 : text.toInt();
    }
    if (m_settings) {
        m_settings->setLearnMode(m_mode);
        m_settings->setPlanWordCount(m_wordsPerDay);
        m_settings->setForgettingPoints(m_model->points());
    }
    qDebug().noquote() << QStringLiteral("[%1] 学习参数已保存").arg(m_userName) << m_courseId
                       << m_mode << m_wordsPerDay;
    accept();
}

void Memora_MainWindow_StudyParameter::on_pBtn_Cancel_clicked()
{
    reject();
}
