#include "studyfixture.h"

#include "app/globals.h"
#include "app/settings.h"
#include "course/coursecategorymgr.h"
#include "course/mlbasesqlquerymodel.h"
#include "coursefixture.h"
#include "modalanswer.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
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

// Runs fn on a private connection to the file at path.
template <typename Fn> void onFile(const QString &path, Fn fn)
{
    const QString name = QStringLiteral("studyfixture-record");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (db.open())
            fn(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
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
    m_tree = new CourseCategoryMgr(QStringLiteral("alice"));
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
    QVariantList values;
    onFile(recordPath(), [&](QSqlDatabase &db) {
        QSqlQuery q(db);
        if (q.exec(sql))
            while (q.next())
                values << q.value(0);
    });
    return values;
}

bool StudyFixture::exec(const QStringList &statements) const
{
    bool ok = false;
    onFile(recordPath(), [&](QSqlDatabase &db) {
        ok = true;
        QSqlQuery q(db);
        for (const QString &sql : statements)
            ok = q.exec(sql) && ok;
    });
    return ok;
}

void StudyFixture::setAdvancedMode(bool advanced)
{
    g_pSettings->setValue(QStringLiteral("Advanced/SysMode"), advanced ? 1 : 0);
}

ModalAnswerer::ModalAnswerer(std::function<void(QWidget *)> handler) : m_handler(std::move(handler))
{
    connect(&m_timer, &QTimer::timeout, this, [this] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        if (acceptMessageBox(modal, texts))
            return;
        dialogs << QString::fromLatin1(modal->metaObject()->className());
        if (m_handler)
            m_handler(modal);
        else if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
    });
    m_timer.start(0);
}
