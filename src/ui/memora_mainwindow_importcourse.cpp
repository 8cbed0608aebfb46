#include "ui/memora_mainwindow_importcourse.h"

#include "app/product.h"

#include "app/apppath.h"
#include "course/courseconvertmgr.h"
#include "course/ucategorycoursedb.h"
#include "ui/dialogplacement.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>

Memora_MainWindow_ImportCourse::Memora_MainWindow_ImportCourse(UCategoryCourseDB *catalogue,
                                                               int categoryId, QWidget *parent)
    : QDialog(parent), m_catalogue(catalogue), m_categoryId(categoryId),
      m_convertMgr(new CourseConvertMgr(this))
{
    setupUi(this);
    setWindowTitle(Product::displayName());
    centreOverMainWindow(this);
    rBtn_import->setChecked(true);
    sWid_import->setCurrentWidget(page_import);
    coBox_courseType->addItems(m_convertMgr->typeNames());
    cBox_targetCourse->addItems(m_catalogue->getCourseNames(m_categoryId));
    connect(m_convertMgr, &CourseConvertMgr::updateDataReadProgress, this,
            &Memora_MainWindow_ImportCourse::updateProgress);
}

Memora_MainWindow_ImportCourse::~Memora_MainWindow_ImportCourse() = default;

void Memora_MainWindow_ImportCourse::on_tBtn_browse_clicked()
{
    const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("请选择需要导入的课程"));
    if (!file.isEmpty())
        liEd_courseLocate->setText(QDir::toNativeSeparators(file));
}

void Memora_MainWindow_ImportCourse::on_rBtn_import_clicked(bool checked)
{
    if (checked)
        sWid_import->setCurrentWidget(page_import);
}

void Memora_MainWindow_ImportCourse::on_rBtn_merget_clicked(bool checked)
{
    if (checked)
        sWid_import->setCurrentWidget(page_merge);
}

void Memora_MainWindow_ImportCourse::updateProgress(qint64 current, qint64 total)
{
    if (total == 0)
        return;
    if (pBar_progress->maximum() != int(total))
        pBar_progress->setMaximum(int(total));
    pBar_progress->setValue(int(current));
    // Lets the bar repaint and a close of the dialog cancel the import.
    QCoreApplication::processEvents();
}

void Memora_MainWindow_ImportCourse::reject()
{
    if (m_importing) {
        m_convertMgr->cancel();
        return;
    }
    QDialog::reject();
}

void Memora_MainWindow_ImportCourse::on_pBtn_import_clicked()
{
    if (m_importing)
        return;
    m_importing = true;
    pBtn_import->setEnabled(false);
    if (rBtn_import->isChecked())
        importNew();
    else
        importMerge();
    m_importing = false;
    pBtn_import->setEnabled(true);
}

void Memora_MainWindow_ImportCourse::warn(const QString &text)
{
    QMessageBox::warning(this, Product::displayName(), text);
}

QString Memora_MainWindow_ImportCourse::sourceFile()
{
    const QString file = liEd_courseLocate->text().trimmed();
    if (file.isEmpty() || !QFileInfo(file).isFile()) {
        warn(tr("请选择要导入文件！"));
        liEd_courseLocate->setFocus();
        return QString();
    }
    return file;
}

void Memora_MainWindow_ImportCourse::importNew()
{
    const QString name = liEd_courseName->text();
    if (name.isEmpty()) {
        warn(tr("请输入课程名！"));
        return;
    }
    if (m_catalogue->courseExists(name)) {
        warn(tr("课程名重名，请重新输入课程名！"));
        liEd_courseName->setFocus();
        return;
    }
    // The file is checked before the course row is added: a failed attempt leaves no
    // empty course behind.
    const QString source = sourceFile();
    if (source.isEmpty())
        return;
    const int mid = m_catalogue->addCourse(m_categoryId, name);
    if (mid <= 0) {
        qDebug() << "Memora_MainWindow_ImportCourse 添加课程失败" << name;
        return;
    }
    const int count = m_convertMgr->startConvert(source, coBox_courseType->currentIndex(),
                                                 UCategoryCourseDB::courseFilePath(mid));
    if (count == 0) {
        m_catalogue->deleteCourse(mid);
        if (m_convertMgr->wasCancelled()) {
            QDialog::reject();
            return;
        }
        warn(tr("当前课程导入单词数为零，请检查导入文件是否有效!"));
        QDialog::reject();
        return;
    }
    m_catalogue->setWordCount(mid, count);
    QMessageBox::information(this, Product::displayName(), QStringLiteral("课程导入成功"));
    accept();
}

void Memora_MainWindow_ImportCourse::importMerge()
{
    const QString name = cBox_targetCourse->currentText();
    if (name.isEmpty()) {
        warn(tr("请选择要合并的目标课程名！"));
        cBox_targetCourse->setFocus();
        return;
    }
    const int mid = m_catalogue->getCourseMid(name);
    const QString source = sourceFile();
    if (source.isEmpty())
        return;
    const int count = m_convertMgr->startMerge(source, coBox_courseType->currentIndex(),
                                               UCategoryCourseDB::courseFilePath(mid));
    if (count == 0) {
        if (!m_convertMgr->wasCancelled())
            warn(tr("当前课程合并导入单词数为零，请检查导入文件是否有效!"));
        QDialog::reject();
        return;
    }
    m_catalogue->setWordCount(mid, count);
    QMessageBox::information(this, Product::displayName(), QStringLiteral("课程合并导入成功"));
    accept();
}

void Memora_MainWindow_ImportCourse::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi(this);
    QDialog::changeEvent(event);
}
