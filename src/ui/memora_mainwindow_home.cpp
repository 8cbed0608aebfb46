#include "ui/memora_mainwindow_home.h"

#include "app/product.h"
#include "course/coursecategorymgr.h"
#include "course/mlbasesqlquerymodel.h"
#include "learn/learnreportmgr.h"
#include "learn/learnskillmgr.h"
#include "ui/memora_homechartpanel.h"
#include "ui/studyhost.h"
#include "user/usermgr.h"

#include <QEvent>
#include <QHeaderView>
#include <QMessageBox>

namespace {
// The "学习中.." node: the courses the learner has records of.
constexpr int kLearningNode = 2;
const QString kTipIndent = QStringLiteral("    ");
} // namespace

Memora_MainWindow_Home::Memora_MainWindow_Home(const QDateTime &lastLoginTime,
                                               const QString &userName, QWidget *parent)
    : QWidget(parent), m_userName(userName), m_lastLoginTime(lastLoginTime),
      m_report(new LearnReportMgr(userName)), m_tips(new LearnSkillMgr()),
      m_charts(new Memora_HomeChartPanel(userName, this))
{
    setupUi(this);
    layout_top->addWidget(m_charts, 2);
    tableView_homeCourseCovers->setContextMenuPolicy(Qt::NoContextMenu);
    tableView_homeCourseCovers->horizontalHeader()->setHighlightSections(false);
    tableView_homeCourseCovers->verticalHeader()->hide();
    connect(tableView_homeCourseCovers->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &Memora_MainWindow_Home::sortSel);
    refresh();
}

Memora_MainWindow_Home::~Memora_MainWindow_Home()
{
    delete m_tips;
    delete m_report;
}

QString Memora_MainWindow_Home::formatReport(int loginCount, const QDateTime &lastLoginTime,
                                             const LearnReportMgr &report)
{
    QString text = loginCount == 1
                       ? tr("上次登陆时间：")
                       : tr("上次登陆时间：%1")
                             .arg(lastLoginTime.toString(QStringLiteral("yy-MM-dd hh:mm:ss")));
    text += tr("\n学习单词数：%1 个").arg(report.studyWordCount());
    text += tr("\n掌握单词：%1 个").arg(report.knowwellWordCount());
    text += tr("\n学习用时：%1 小时").arg(report.totalStudyTime() / 3600.0, 0, 'f', 2);
    text += tr("\n学习速度：%1 个/小时").arg(report.learnSpeed());
    text += tr("\n学习进度：%1%").arg(double(report.studyProgress()), 0, 'f', 2);
    text += tr("\n遗忘指数：%1").arg(double(report.forgetProbability()), 0, 'g', 6);
    return text;
}

void Memora_MainWindow_Home::refresh()
{
    m_report->refresh();
    if (g_pUserMgr)
        g_pUserMgr->getUserInfo(m_userInfo, m_userName);
    lab_homeLearningReport->setText(formatReport(
        m_userInfo.value(QStringLiteral("LoginCount")).toInt(), m_lastLoginTime, *m_report));
    lab_homeStudySkills->setText(kTipIndent + m_tips->tip(1));

    if (g_pCourseCategoryMgr)
        g_pCourseCategoryMgr->showCourses(tableView_homeCourseCovers, kLearningNode);
    tableView_homeCourseCovers->resizeColumnsToContents();

    m_courseName.clear();
    m_courseId = 0;
    m_courseType = 0;
    if (QAbstractItemModel *model = tableView_homeCourseCovers->model()) {
        tableView_homeCourseCovers->setCurrentIndex(model->index(0, 0));
        selectCourseOfRow(0);
    }
    tableView_homeCourseCovers->setShowGrid(false);
    refreshCharts(true);
    // The table gets a new model (and selection model) with every refresh.
    if (QItemSelectionModel *selection = tableView_homeCourseCovers->selectionModel())
        connect(selection, &QItemSelectionModel::currentRowChanged, this,
                &Memora_MainWindow_Home::currentRowChanged, Qt::UniqueConnection);
}

void Memora_MainWindow_Home::currentRowChanged()
{
    refreshCharts(false);
}

void Memora_MainWindow_Home::refreshCharts(bool force)
{
    QString path;
    auto *model = qobject_cast<MlBaseSqlQueryModel *>(tableView_homeCourseCovers->model());
    const int row = tableView_homeCourseCovers->currentIndex().row();
    if (model && g_pCourseCategoryMgr && row >= 0 && row < model->rowCount())
        path = g_pCourseCategoryMgr->learningRecordPath(model->courseIdAt(row));
    if (!force && path == m_chartRecordPath)
        return;
    m_chartRecordPath = path;
    m_charts->refresh(path);
}

void Memora_MainWindow_Home::selectRow(int row)
{
    QAbstractItemModel *model = tableView_homeCourseCovers->model();
    if (!model || row < 0 || row >= model->rowCount())
        return;
    tableView_homeCourseCovers->setCurrentIndex(model->index(row, 0));
    tableView_homeCourseCovers->selectRow(row);
    selectCourseOfRow(row);
}

QString Memora_MainWindow_Home::reportText() const
{
    return lab_homeLearningReport->text();
}

QString Memora_MainWindow_Home::tipText() const
{
    return lab_homeStudySkills->text();
}

void Memora_MainWindow_Home::selectCourseOfRow(int row)
{
    auto *model = qobject_cast<MlBaseSqlQueryModel *>(tableView_homeCourseCovers->model());
    if (!model || row < 0 || row >= model->rowCount() || !g_pCourseCategoryMgr)
        return;
    m_courseId = model->courseIdAt(row);
    m_courseType = g_pCourseCategoryMgr->courseType(m_courseId);
    m_courseName = g_pCourseCategoryMgr->courseName(m_courseId);
}

void Memora_MainWindow_Home::on_tableView_homeCourseCovers_doubleClicked(const QModelIndex &index)
{
    selectCourseOfRow(index.row());
    if (StudyHost *host = StudyHost::instance())
        host->study(m_courseId, m_courseName);
}

void Memora_MainWindow_Home::on_pBtn_prev_clicked()
{
    lab_homeStudySkills->setText(kTipIndent + m_tips->previousTip());
}

void Memora_MainWindow_Home::on_pBtn_next_clicked()
{
    lab_homeStudySkills->setText(kTipIndent + m_tips->nextTip());
}

void Memora_MainWindow_Home::on_tableView_homeCourseCovers_clicked(const QModelIndex &index)
{
    selectCourseOfRow(index.row());
}

void Memora_MainWindow_Home::on_pBtn_study_clicked()
{
    if (m_courseName.isEmpty())
        selectCourseOfRow(tableView_homeCourseCovers->currentIndex().row());
    if (m_courseName.isEmpty()) {
        QMessageBox::warning(this, Product::displayName(),
                             tr("当前没有选择要学习的课本，请返回重新选择课本……"), QMessageBox::Ok);
        return;
    }
    if (!g_pCourseCategoryMgr || !g_pCourseCategoryMgr->isCourseAvailable(m_courseId))
        return;
    if (StudyHost *host = StudyHost::instance())
        host->study(m_courseId, m_courseName);
}

void Memora_MainWindow_Home::sortSel(int column)
{
    Q_UNUSED(column);
    auto *model = qobject_cast<MlBaseSqlQueryModel *>(tableView_homeCourseCovers->model());
    if (!model)
        return;
    for (int row = 0; row < model->rowCount(); ++row) {
        if (model->courseIdAt(row) == m_courseId) {
            tableView_homeCourseCovers->selectRow(row);
            return;
        }
    }
}

void Memora_MainWindow_Home::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslateUi(this);
}
