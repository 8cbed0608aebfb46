#include "studyfixture.h"
#include "learn/learningrecordreader.h"

#include "app/settings.h"
#include "course/coursecategorymgr.h"
#include "course/mlbasesqlquerymodel.h"
#include "coursefixture.h"
#include "learnfixtures.h"
#include "modalanswer.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTableView>

const char *const StudyFixture::kCourseName = "三十词课程";

namespace {

int courseIdOf(CourseCategoryMgr *tree, const QString &name)
{
    QTableView view;
    tree->showCourses(&view, tree->officialCoursesNodeId());
    auto *model = qobject_cast<MlBaseSqlQueryModel *>(view.model());
    for (int row = 0; model && row < model->rowCount(); ++row)
        if (tree->courseName(model->courseIdAt(row)) == name)
            return model->courseIdAt(row);
    return 0;
}

} // namespace

StudyFixture::StudyFixture()
{
    QApplication::setApplicationDisplayName(QStringLiteral("Memora"));
    g_pSettings = GlobalSettings::create();
    CatalogueFixture official(m_root.filePath(QStringLiteral("/odata/course/categorycourse.db")));
    const int top = official.addCategory(0, QStringLiteral("官方课程"));
    official.addCategory(0, QStringLiteral("测试课程"));
    official.addCourse(31, 2, top, QString::fromUtf8(kCourseName), kWords, false);
    official.addCourse(32, 2, top, QStringLiteral("丢失的课程"), 10, false);
    writeCourseFile(m_root.filePath(QStringLiteral("/odata/course/31.db")),
                    numberedWords(kWords, QStringLiteral("apple")));
    m_tree = new CourseCategoryMgr(QStringLiteral("alice"), readLearningRecord);
    m_courseId = courseIdOf(m_tree, QString::fromUtf8(kCourseName));
    m_missingId = courseIdOf(m_tree, QStringLiteral("丢失的课程"));
}

StudyFixture::~StudyFixture()
{
    delete m_tree;
    delete g_pSettings;
    g_pSettings = nullptr;
}

QString StudyFixture::recordPath() const
{
    return m_root.filePath(QStringLiteral("/udata/alice/o31.ldb"));
}

QVariantList StudyFixture::column(const QString &sql) const
{
    return LearnFixtures::columnOfFile(recordPath(), sql);
}

bool StudyFixture::exec(const QStringList &statements) const
{
    return LearnFixtures::execOnFile(recordPath(), statements);
}

void StudyFixture::setAdvancedMode(bool advanced)
{
    g_pSettings->setValue(QStringLiteral("Advanced/SysMode"), advanced ? 1 : 0);
}
