#include "course/coursecategorymgr.h"
#include "course/coursedb.h"
#include "course/ucategorycoursedb.h"
#include "learn/learnmgr.h"
#include "learnerroot.h"
#include "modalanswer.h"
#include "ui/memora_mainwindow_course.h"

#include <QFile>
#include <QHeaderView>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>
#include <QTreeWidget>
#include <QtTest>

// The course page over the installed catalogue for the learner "alice".
class TestCoursePage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void buttonBarsFollowTheNode_data();
    void buttonBarsFollowTheNode();
    void categoriesAddRenameDelete();
    void deleteLearningRecord();
    void deleteUserCourse();
    void sortIsRememberedPerNodeType();

private:
    QTreeWidgetItem *node(const QString &label);
    bool select(const QString &label);
    QString shown(const char *stack);
    QPushButton *button(const char *name);
    // Studies the installed test course once, so that alice has "o1.ldb", and reloads the page.
    void makeRecord();

    LearnerRoot *m_learner = nullptr;
    Memora_MainWindow_Course *m_page = nullptr;
};

void TestCoursePage::init()
{
    m_learner = new LearnerRoot;
    QVERIFY(m_learner->setUp(false));
    m_page = new Memora_MainWindow_Course(QStringLiteral("alice"));
}

void TestCoursePage::cleanup()
{
    delete m_page;
    m_page = nullptr;
    delete m_learner;
    m_learner = nullptr;
}

QTreeWidgetItem *TestCoursePage::node(const QString &label)
{
    const auto items = m_page->categoryTree()->findItems(QStringLiteral("*"),
                                                         Qt::MatchWildcard | Qt::MatchRecursive);
    for (QTreeWidgetItem *item : items)
        if (item->text(0).startsWith(label + QLatin1Char('(')))
            return item;
    return nullptr;
}

bool TestCoursePage::select(const QString &label)
{
    QTreeWidgetItem *item = node(label);
    if (item)
        m_page->categoryTree()->setCurrentItem(item);
    return item;
}

QString TestCoursePage::shown(const char *stack)
{
    return m_page->findChild<QStackedWidget *>(stack)->currentWidget()->objectName();
}

QPushButton *TestCoursePage::button(const char *name)
{
    return m_page->findChild<QPushButton *>(name);
}

void TestCoursePage::makeRecord()
{
    {
        LearnMgr session(QStringLiteral("alice"), LearnerRoot::courseId("测试课程词汇"),
                         g_pCourseCategoryMgr);
        QVERIFY(session.nextWord() > 0);
    }
    m_page->reload();
    m_page->rebuildTree();
}

void TestCoursePage::buttonBarsFollowTheNode_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("categoryBar");
    QTest::addColumn<QString>("courseBar");
    QTest::addColumn<bool>("studyEnabled");
    QTest::newRow("user courses") << "用户课程"
                                  << "page_root"
                                  << "courseMgr" << true;
    QTest::newRow("installed official") << "测试课程"
                                        << "page_bank"
                                        << "courseMgr" << true;
    QTest::newRow("official to download") << "考试词汇"
                                          << "page_bank"
                                          << "courseDwn" << true;
    QTest::newRow("learning") << "学习中.."
                              << "page_bank"
                              << "courseMyself" << true;
    QTest::newRow("mastered") << "已掌握.."
                              << "page_bank"
                              << "courseMgr" << false;
}

void TestCoursePage::buttonBarsFollowTheNode()
{
    QFETCH(QString, label);
    QFETCH(QString, categoryBar);
    QFETCH(QString, courseBar);
    QFETCH(bool, studyEnabled);
    makeRecord();
    QVERIFY2(select(label), qPrintable(label));
    QCOMPARE(shown("stackedWidget_courseCategory"), categoryBar);
    QCOMPARE(shown("stackedWidget_courseMgr"), courseBar);
    QCOMPARE(button("pBtn_study")->isEnabled(), studyEnabled);
}

void TestCoursePage::categoriesAddRenameDelete()
{
    QVERIFY(select("用户课程"));
    ModalAnswer answer(QMessageBox::Yes);
    answer.setInputText(QStringLiteral("Tom's 分类"));
    QTest::mouseClick(button("pBtn_addCategory"), Qt::LeftButton);
    QVERIFY(node("Tom's 分类"));
    QVERIFY(m_page->categoryTree()->currentItem()->text(0).startsWith("用户课程"));

    QTest::mouseClick(button("pBtn_addCategory"), Qt::LeftButton);
    QCOMPARE(answer.lastText(), QStringLiteral("添加的分类已经存在"));

    QVERIFY(select("Tom's 分类"));
    QCOMPARE(shown("stackedWidget_courseCategory"), QStringLiteral("page_child"));
    answer.setInputText(QStringLiteral("\"引号\" 分类"));
    QTest::mouseClick(button("pBtn_modifyCategory"), Qt::LeftButton);
    QVERIFY(!node("Tom's 分类"));
    QVERIFY(node("\"引号\" 分类"));

    // A category that holds a course is not deleted.
    UCategoryCourseDB *catalogue = g_pCourseCategoryMgr->uCategoryCourseDB();
    const int category = catalogue->getCategoryId(QStringLiteral("\"引号\" 分类"));
    const int mid = catalogue->addCourse(category, QStringLiteral("生词"));
    QVERIFY(mid > 0);
    m_page->reload();
    m_page->rebuildTree();
    QVERIFY(select("\"引号\" 分类"));
    QTest::mouseClick(button("pBtn_delUserCourse"), Qt::LeftButton);
    QCOMPARE(answer.lastText(), QStringLiteral("该课程分类下有用户课程，不能被删除!"));
    QVERIFY(node("\"引号\" 分类"));

    g_pCourseCategoryMgr->uCategoryCourseDB()->deleteCourse(mid);
    m_page->reload();
    m_page->rebuildTree();
    QVERIFY(select("\"引号\" 分类"));
    QTest::mouseClick(button("pBtn_delUserCourse"), Qt::LeftButton);
    QCOMPARE(answer.lastText(), QStringLiteral("真的要删除〖\"引号\" 分类〗用户课程分类吗？"));
    QVERIFY(!node("\"引号\" 分类"));
}

void TestCoursePage::deleteLearningRecord()
{
    makeRecord();
    const QString record = m_learner->root().filePath(QStringLiteral("/udata/alice/o1.ldb"));
    QVERIFY(QFile::exists(record));
    QVERIFY(select("学习中.."));
    QCOMPARE(m_page->courseTable()->model()->rowCount(), 1);

    ModalAnswer answer(QMessageBox::No);
    QTest::mouseClick(button("pBtn_delCourse"), Qt::LeftButton);
    QVERIFY(QFile::exists(record));
    answer.setButton(QMessageBox::Yes);
    QTest::mouseClick(button("pBtn_delCourse"), Qt::LeftButton);
    QCOMPARE(answer.lastText(), QStringLiteral("真的要删除〖测试课程词汇〗课程的学习记录吗？"));
    QVERIFY(!QFile::exists(record));
    QVERIFY(m_page->categoryTree()->currentItem()->text(0).startsWith("学习中.."));
    QCOMPARE(m_page->courseTable()->model()->rowCount(), 0);
}

void TestCoursePage::deleteUserCourse()
{
    UCategoryCourseDB *catalogue = g_pCourseCategoryMgr->uCategoryCourseDB();
    QVERIFY(catalogue->addCategory(QStringLiteral("生词本")));
    const int mid = catalogue->addCourse(catalogue->getCategoryId(QStringLiteral("生词本")),
                                         QStringLiteral("Tom's words"));
    const QString file = m_learner->root().filePath(QStringLiteral("/udata/course/%1.db").arg(mid));
    {
        CourseDB course(file);
        course.createTables();
        QVERIFY(course.insertWord("apple", "n. 苹果", "ˈæpl", "An apple a day."));
    }
    m_page->reload();
    m_page->rebuildTree();
    QVERIFY(select("生词本"));
    QCOMPARE(shown("stackedWidget_courseMgr"), QStringLiteral("courseUser"));
    QCOMPARE(m_page->currentCourseName(), QStringLiteral("Tom's words"));

    ModalAnswer answer(QMessageBox::Yes);
    QTest::mouseClick(button("pBtn_delUser"), Qt::LeftButton);
    QVERIFY(!QFile::exists(file));
    QVERIFY(
        !g_pCourseCategoryMgr->uCategoryCourseDB()->courseExists(QStringLiteral("Tom's words")));
}

void TestCoursePage::sortIsRememberedPerNodeType()
{
    QVERIFY(select("用户课程"));
    QHeaderView *header = m_page->courseTable()->horizontalHeader();
    header->setSortIndicator(1, Qt::DescendingOrder);
    emit header->sectionClicked(1);
    QVERIFY(select("官方课程"));
    QCOMPARE(header->sortIndicatorSection(), 0);
    QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);
    QVERIFY(select("用户课程"));
    QCOMPARE(header->sortIndicatorSection(), 1);
    QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
}

QTEST_MAIN(TestCoursePage)
#include "tst_coursepage.moc"
