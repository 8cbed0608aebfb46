#include "ui/memora_mainwindow_course.h"
#include "learn/learningrecordreader.h"

#include "app/apppath.h"
#include "app/product.h"
#include "course/coursecategorymgr.h"
#include "course/mlbasesqlquerymodel.h"
#include "course/ucategorycoursedb.h"
#include "ui/memora_mainwindow_importcourse.h"
#include "ui/memora_mainwindow_progressdialog.h"
#include "ui/studyhost.h"

#include <QDebug>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QInputDialog>
#include <QMessageBox>

namespace {
Memora_MainWindow_Course *s_page = nullptr;
}

Memora_MainWindow_Course::Memora_MainWindow_Course(const QString &userName, QWidget *parent)
    : QWidget(parent), m_userName(userName)
{
    setupUi(this);
    tableView_courseList->horizontalHeader()->setHighlightSections(false);
    // Columns follow their contents in the font the skin gives them, which is set only
    // after the page is built.
    tableView_courseList->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tableView_courseList->verticalHeader()->hide();
    treeWidet_courseCategory->header()->hide();
    s_page = this;
    initialise();
}

Memora_MainWindow_Course::~Memora_MainWindow_Course()
{
    if (s_page == this)
        s_page = nullptr;
    // The course models shown here read the tree's database: let go of them first.
    tableView_courseList->setModel(nullptr);
    delete g_pCourseCategoryMgr;
    g_pCourseCategoryMgr = nullptr;
}

Memora_MainWindow_Course *Memora_MainWindow_Course::instance()
{
    return s_page;
}

void Memora_MainWindow_Course::initialise()
{
    connect(treeWidet_courseCategory, &QTreeWidget::currentItemChanged, this,
            &Memora_MainWindow_Course::currentItemChanged);
    connect(tableView_courseList->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &Memora_MainWindow_Course::sortSel);
    reload();
    rebuildTree();
    tableView_courseList->setShowGrid(false);
    m_firstLoad = false;
}

void Memora_MainWindow_Course::reload()
{
    delete g_pCourseCategoryMgr;
    g_pCourseCategoryMgr = new CourseCategoryMgr(m_userName, readLearningRecord);
}

void Memora_MainWindow_Course::rebuildTree()
{
    const QVariantList saved{m_courseId, m_mid, m_row, m_nodeId, m_courseName};

    disconnect(treeWidet_courseCategory, &QTreeWidget::currentItemChanged, this,
               &Memora_MainWindow_Course::currentItemChanged);
    if (QItemSelectionModel *selection = tableView_courseList->selectionModel())
        disconnect(selection, &QItemSelectionModel::currentRowChanged, this,
                   &Memora_MainWindow_Course::currentRowChanged);
    treeWidet_courseCategory->clear();
    connect(treeWidet_courseCategory, &QTreeWidget::currentItemChanged, this,
            &Memora_MainWindow_Course::currentItemChanged);
    if (g_pCourseCategoryMgr)
        g_pCourseCategoryMgr->buildTree(treeWidet_courseCategory);

    m_courseId = saved.at(0).toInt();
    m_mid = saved.at(1).toInt();
    m_row = saved.at(2).toInt();
    m_nodeId = saved.at(3).toInt();
    m_courseName = saved.at(4).toString();
    if (m_firstLoad)
        return;
    const int mid = m_mid;
    selectNode(m_nodeId);
    sort(mid);
}

bool Memora_MainWindow_Course::selectNode(int nodeId)
{
    const QList<QTreeWidgetItem *> items = treeWidet_courseCategory->findItems(
        QStringLiteral("*"), Qt::MatchWildcard | Qt::MatchRecursive);
    for (QTreeWidgetItem *item : items) {
        if (item->type() == nodeId) {
            treeWidet_courseCategory->setCurrentItem(item);
            item->setSelected(true);
            return true;
        }
    }
    return false;
}

Memora_MainWindow_Course::SortChoice &Memora_MainWindow_Course::sortChoice(int catype)
{
    return m_sort[qBound(0, catype, 2)];
}

int Memora_MainWindow_Course::rowCount() const
{
    const QAbstractItemModel *model = tableView_courseList->model();
    return model ? model->rowCount() : 0;
}

void Memora_MainWindow_Course::connectSelectionModel()
{
    if (QItemSelectionModel *selection = tableView_courseList->selectionModel())
        connect(selection, &QItemSelectionModel::currentRowChanged, this,
                &Memora_MainWindow_Course::currentRowChanged, Qt::UniqueConnection);
}

void Memora_MainWindow_Course::currentItemChanged(QTreeWidgetItem *current,
                                                  QTreeWidgetItem *previous)
{
    Q_UNUSED(previous);
    if (!current || !g_pCourseCategoryMgr)
        return;
    m_nodeId = current->type();
    const int catype = g_pCourseCategoryMgr->nodeType(m_nodeId);
    const SortChoice choice = sortChoice(catype);

    if (catype == CourseCategoryMgr::MyCourses) {
        if (m_nodeId == g_pCourseCategoryMgr->masteredNodeId()) {
            stackedWidget_courseMgr->setCurrentWidget(courseMgr);
            pBtn_study->setEnabled(false);
        } else {
            stackedWidget_courseMgr->setCurrentWidget(courseMyself);
            pBtn_study->setEnabled(true);
        }
        stackedWidget_courseCategory->setCurrentWidget(page_bank);
    } else if (catype == CourseCategoryMgr::UserCourses) {
        pBtn_study->setEnabled(true);
        stackedWidget_courseCategory->setCurrentWidget(
            m_nodeId == g_pCourseCategoryMgr->userCoursesNodeId() ? page_root : page_child);
    } else {
        pBtn_study->setEnabled(true);
        stackedWidget_courseCategory->setCurrentWidget(page_bank);
    }

    g_pCourseCategoryMgr->showCourses(tableView_courseList, m_nodeId);
    connectSelectionModel();
    tableView_courseList->horizontalHeader()->setSortIndicator(choice.column, choice.order);

    if (rowCount() > 0)
        selectCourseRow(0);
}

void Memora_MainWindow_Course::selectCourseRow(int row)
{
    auto *model = qobject_cast<MlBaseSqlQueryModel *>(tableView_courseList->model());
    if (!model || row < 0 || row >= model->rowCount() || !g_pCourseCategoryMgr)
        return;
    m_row = row;
    m_courseId = model->courseIdAt(row);
    m_mid = g_pCourseCategoryMgr->courseMid(m_courseId);
    m_courseName = g_pCourseCategoryMgr->courseName(m_courseId);
    if (tableView_courseList->currentIndex().row() != row)
        tableView_courseList->selectRow(row);
    showStudyDown(m_mid);
}

void Memora_MainWindow_Course::currentRowChanged(const QModelIndex &current,
                                                 const QModelIndex &previous)
{
    Q_UNUSED(previous);
    if (current.isValid())
        selectCourseRow(current.row());
}

bool Memora_MainWindow_Course::showStudyDown(int mid)
{
    if (!g_pCourseCategoryMgr)
        return true;
    switch (g_pCourseCategoryMgr->nodeType(m_nodeId)) {
    case CourseCategoryMgr::UserCourses:
        stackedWidget_courseMgr->setCurrentWidget(courseUser);
        return true;
    case CourseCategoryMgr::OfficialCourses:
        if (g_pCourseCategoryMgr->isOfficialCourseInstalled(mid)) {
            stackedWidget_courseMgr->setCurrentWidget(courseMgr);
            return true;
        }
        stackedWidget_courseMgr->setCurrentWidget(courseDwn);
        return false;
    default:
        return true;
    }
}

void Memora_MainWindow_Course::sort(int mid)
{
    auto *model = qobject_cast<MlBaseSqlQueryModel *>(tableView_courseList->model());
    if (!model || !g_pCourseCategoryMgr)
        return;
    for (int row = 0; row < model->rowCount(); ++row) {
        const int courseId = model->courseIdAt(row);
        if (g_pCourseCategoryMgr->courseMid(courseId) == mid) {
            m_courseId = courseId;
            m_mid = mid;
            m_row = row;
            m_courseName = g_pCourseCategoryMgr->courseName(courseId);
            tableView_courseList->selectRow(row);
            return;
        }
    }
}

void Memora_MainWindow_Course::sortSel(int column)
{
    if (!g_pCourseCategoryMgr)
        return;
    SortChoice &choice = sortChoice(g_pCourseCategoryMgr->nodeType(m_nodeId));
    choice.column = column;
    choice.order = tableView_courseList->horizontalHeader()->sortIndicatorOrder();
    sort(m_mid);
}

void Memora_MainWindow_Course::on_tableView_courseList_doubleClicked(const QModelIndex &index)
{
    selectCourseRow(index.row());
    if (showStudyDown(m_mid))
        startStudy();
    else if (!download(m_mid))
        selectCourseRow(m_row);
}

void Memora_MainWindow_Course::startStudy()
{
    if (m_courseName.isEmpty()) {
        warn(tr("当前没有选择要学习的课本，请返回重新选择课本……"));
        return;
    }
    if (!g_pCourseCategoryMgr || !g_pCourseCategoryMgr->isCourseAvailable(m_courseId)) {
        warn(tr("该课本格式无效或被破坏……"));
        return;
    }
    if (StudyHost *host = StudyHost::instance())
        host->study();
}

void Memora_MainWindow_Course::on_pBtn_study_clicked()
{
    startStudy();
}

void Memora_MainWindow_Course::on_pBtn_studyMyself_clicked()
{
    startStudy();
}

void Memora_MainWindow_Course::on_pBtn_studyUser_clicked()
{
    startStudy();
}

bool Memora_MainWindow_Course::download(int mid)
{
    if (g_pCourseCategoryMgr && g_pCourseCategoryMgr->isOfficialCourseInstalled(mid))
        return true;
    Memora_MainWindow_ProgressDialog dialog(mid, m_courseName, window());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    reload();
    rebuildTree();
    return true;
}

void Memora_MainWindow_Course::on_pBtn_down_clicked()
{
    if (!download(m_mid))
        selectCourseRow(m_row);
}

void Memora_MainWindow_Course::on_pBtn_delCourse_clicked()
{
    if (rowCount() == 0 || !g_pCourseCategoryMgr)
        return;
    const QString record = g_pCourseCategoryMgr->learningRecordPath(m_courseId);
    if (!askYesNo(tr("真的要删除〖%1〗课程的学习记录吗？").arg(m_courseName)))
        return;
    // A session killed in the middle leaves its write-ahead log beside the record.
    QFile::remove(record + QStringLiteral("-wal"));
    QFile::remove(record + QStringLiteral("-shm"));
    if (record.isEmpty() || !QFile::remove(record)) {
        qDebug() << "Memora_MainWindow_Course: could not remove the learning record" << record;
        warn(tr("删除〖%1〗课程的学习记录失败？").arg(m_courseName));
    }
    if (StudyHost *host = StudyHost::instance()) {
        host->studyRefresh();
    } else {
        reload();
        rebuildTree();
    }
}

void Memora_MainWindow_Course::on_pBtn_delUser_clicked()
{
    if (rowCount() == 0 || !g_pCourseCategoryMgr)
        return;
    const int mid = m_mid;
    const QString name = m_courseName;
    if (!askYesNo(tr("真的要删除〖%1〗用户课程吗？").arg(name)))
        return;
    const bool removed = QFile::remove(UCategoryCourseDB::courseFilePath(mid));
    g_pCourseCategoryMgr->uCategoryCourseDB()->deleteCourse(mid);
    if (removed) {
        reload();
        rebuildTree();
    } else {
        warn(tr("删除〖%1〗课程的学习记录失败？").arg(name));
    }
}

void Memora_MainWindow_Course::on_pBtn_addCategory_clicked()
{
    if (!g_pCourseCategoryMgr)
        return;
    const QString name =
        QInputDialog::getText(this, QStringLiteral("添加分类"), QStringLiteral("分类名:"))
            .trimmed();
    if (name.isEmpty())
        return;
    UCategoryCourseDB *catalogue = g_pCourseCategoryMgr->uCategoryCourseDB();
    if (catalogue->categoryExists(name)) {
        QMessageBox::information(this, Product::displayName(), tr("添加的分类已经存在"));
        return;
    }
    if (!catalogue->addCategory(name))
        warn(tr("无法添加分类，请查看日志……"));
    reload();
    rebuildTree();
}

void Memora_MainWindow_Course::on_pBtn_modifyCategory_clicked()
{
    if (!g_pCourseCategoryMgr)
        return;
    const QString name =
        QInputDialog::getText(this, QStringLiteral("修改分类"), QStringLiteral("新的分类名:"))
            .trimmed();
    if (name.isEmpty())
        return;
    UCategoryCourseDB *catalogue = g_pCourseCategoryMgr->uCategoryCourseDB();
    const int id = catalogue->getCategoryId(g_pCourseCategoryMgr->nodeName(m_nodeId));
    catalogue->renameCategory(id, name);
    reload();
    rebuildTree();
}

void Memora_MainWindow_Course::on_pBtn_delUserCourse_clicked()
{
    if (!g_pCourseCategoryMgr)
        return;
    const QString nodeName = g_pCourseCategoryMgr->nodeName(m_nodeId);
    if (!askYesNo(tr("真的要删除〖%1〗用户课程分类吗？").arg(nodeName)))
        return;
    UCategoryCourseDB *catalogue = g_pCourseCategoryMgr->uCategoryCourseDB();
    const int id = catalogue->getCategoryId(nodeName);
    if (!catalogue->getCourseNames(id).isEmpty()) {
        warn(tr("该课程分类下有用户课程，不能被删除!"));
        return;
    }
    catalogue->deleteCategory(id);
    reload();
    rebuildTree();
}

void Memora_MainWindow_Course::on_pBtn_importCourse_clicked()
{
    if (!g_pCourseCategoryMgr)
        return;
    UCategoryCourseDB *catalogue = g_pCourseCategoryMgr->uCategoryCourseDB();
    const int id = catalogue->getCategoryId(g_pCourseCategoryMgr->nodeName(m_nodeId));
    Memora_MainWindow_ImportCourse dialog(catalogue, id, window());
    if (dialog.exec() != QDialog::Accepted)
        return;
    reload();
    rebuildTree();
    if (rowCount() > 0)
        selectCourseRow(rowCount() - 1);
}

bool Memora_MainWindow_Course::askYesNo(const QString &text)
{
    return QMessageBox::question(this, Product::displayName(), text,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void Memora_MainWindow_Course::warn(const QString &text)
{
    QMessageBox::warning(this, Product::displayName(), text, QMessageBox::Ok);
}

void Memora_MainWindow_Course::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslateUi(this);
}
