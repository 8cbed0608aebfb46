#include "app/settings.h"
#include "learnerroot.h"
#include "speech/cwttsspeak.h"
#include "speech/speakdictcn.h"
#include "speech/speakyoudaodict.h"
#include "sqlitefile.h"
#include "study/memora_mainwindow_study.h"
#include "ui/memora_mainwindow_course.h"
#include "ui/memora_mainwindow_home.h"
#include "ui/memora_mainwindows.h"
#include "user/usermgr.h"

#include <QLabel>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableView>
#include <QTreeWidget>
#include <QtTest>

// The main window over the installed courses, for a learner "alice" in a private root.
class TestMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void firstTabFollowsLearningRecords_data();
    void firstTabFollowsLearningRecords();
    void speechEngineSetting_data();
    void speechEngineSetting();
    void studyAndBackAndSortingKeepTheChosenCourse();
    void homeReport_data();
    void homeReport();

private:
    void logIn();

    LearnerRoot *m_learner = nullptr;
    Memora_MainWindows *m_window = nullptr;
};

void TestMainWindow::init()
{
    m_learner = new LearnerRoot;
    QVERIFY(m_learner->setUp());
    m_window = new Memora_MainWindows;
}

void TestMainWindow::cleanup()
{
    delete m_window;
    m_window = nullptr;
    delete m_learner;
    m_learner = nullptr;
}

void TestMainWindow::logIn()
{
    m_window->logIn(QStringLiteral("alice"), QDateTime::currentDateTime().addDays(-1));
}

void TestMainWindow::firstTabFollowsLearningRecords_data()
{
    QTest::addColumn<bool>("hasRecord");
    QTest::newRow("new learner") << false;
    QTest::newRow("learner with a record") << true;
}

void TestMainWindow::firstTabFollowsLearningRecords()
{
    QFETCH(bool, hasRecord);
    if (hasRecord)
        QVERIFY(!LearnerRoot::studyOnce(QStringLiteral("日常核心词汇")).isEmpty());
    logIn();
    QVERIFY(m_window->isVisible());
    Memora_MainWindow_Course *page = m_window->coursePage();
    QCOMPARE(m_window->tabs()->currentWidget(),
             hasRecord ? static_cast<QWidget *>(m_window->homePage()) : page);
    const QString node = page->categoryTree()->currentItem()->text(0);
    QVERIFY2(node.startsWith(hasRecord ? "学习中.." : "测试课程"), qPrintable(node));
    if (!hasRecord)
        QCOMPARE(page->currentCourseName(), QStringLiteral("测试课程词汇"));
    QCOMPARE(m_window->homePage()->courseTable()->model()->rowCount(), hasRecord ? 1 : 0);
    QCOMPARE(m_window->versionLabelText(), QStringLiteral("V0.2.3 build 370"));
    QCOMPARE(m_window->tabs()->tabText(0), QStringLiteral("首页"));
    QCOMPARE(m_window->tabs()->tabText(1), QStringLiteral("课程"));
}

void TestMainWindow::speechEngineSetting_data()
{
    QTest::addColumn<int>("setting");
    QTest::addColumn<QString>("engine");
    QTest::newRow("5 is Youdao") << 5 << "SpeakYoudaoDict";
    QTest::newRow("-1 is Youdao") << -1 << "SpeakYoudaoDict";
    QTest::newRow("1 is Youdao") << 1 << "SpeakYoudaoDict";
    QTest::newRow("0 is text-to-speech") << 0 << "CWTTSSpeak";
    QTest::newRow("2 is Haici") << 2 << "SpeakDictCN";
}

void TestMainWindow::speechEngineSetting()
{
    QFETCH(int, setting);
    QFETCH(QString, engine);
    GlobalSettings::setValue(g_pSettings, QStringLiteral("Learn/SpeechEngine"), setting);
    logIn();
    m_window->study();
    QVERIFY(m_window->studyWindow());
    CSpeakBase *chosen = m_window->currentEngine();
    const bool matches = engine == "SpeakYoudaoDict"
                             ? dynamic_cast<SpeakYoudaoDict *>(chosen) != nullptr
                         : engine == "SpeakDictCN" ? dynamic_cast<SpeakDictCN *>(chosen) != nullptr
                                                   : dynamic_cast<CWTTSSpeak *>(chosen) != nullptr;
    QVERIFY(matches);
    m_window->studyWindow()->close();
}

void TestMainWindow::studyAndBackAndSortingKeepTheChosenCourse()
{
    QVERIFY(!LearnerRoot::studyOnce(QStringLiteral("日常核心词汇")).isEmpty());
    QVERIFY(!LearnerRoot::studyOnce(QStringLiteral("测试课程词汇")).isEmpty());
    logIn();
    Memora_MainWindow_Home *home = m_window->homePage();
    QTableView *table = home->courseTable();
    QCOMPARE(table->model()->rowCount(), 2);
    const QModelIndex second = table->model()->index(1, 0);
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(second).center());
    const QString chosen = home->selectedCourseName();
    QVERIFY(!chosen.isEmpty());

    QTest::mouseClick(home->studyButton(), Qt::LeftButton);
    Memora_MainWindow_Study *study = m_window->studyWindow();
    QVERIFY(study);
    QVERIFY(!m_window->isVisible());
    const int countsBefore = m_window->coursePage()->categoryTree()->topLevelItemCount();

    study->close();
    QTRY_VERIFY(m_window->isVisible());
    QCOMPARE(table->currentIndex().row(), 1);
    QCOMPARE(home->selectedCourseName(), chosen); // the study button studies the row shown
    QCOMPARE(m_window->coursePage()->categoryTree()->topLevelItemCount(), countsBefore);
    // The report now counts the session just ended.
    QVERIFY2(home->reportText().contains("学习单词数："), qPrintable(home->reportText()));

    // Sorting by name in either order keeps the chosen course selected.
    const int nameColumn = 1;
    for (Qt::SortOrder order : {Qt::DescendingOrder, Qt::AscendingOrder}) {
        table->horizontalHeader()->setSortIndicator(nameColumn, order);
        emit table->horizontalHeader()->sectionClicked(nameColumn);
        const int row = table->selectionModel()->selectedRows().value(0).row();
        QCOMPARE(table->model()->index(row, nameColumn).data().toString(), chosen);
    }
}

void TestMainWindow::homeReport_data()
{
    QTest::addColumn<int>("loginCount");
    QTest::addColumn<int>("studySeconds");
    QTest::addColumn<QString>("firstLine");
    QTest::addColumn<QString>("timeLine");
    QTest::newRow("first login") << 1 << 0 << "上次登陆时间："
                                 << "学习用时：0.00 小时";
    QTest::newRow("an hour and a half") << 3 << 5400 << "上次登陆时间：26-12-06 08:30:00"
                                        << "学习用时：1.50 小时";
}

void TestMainWindow::homeReport()
{
    QFETCH(int, loginCount);
    QFETCH(int, studySeconds);
    QFETCH(QString, firstLine);
    QFETCH(QString, timeLine);
    if (studySeconds > 0) {
        QVERIFY(!LearnerRoot::studyOnce(QStringLiteral("测试课程词汇")).isEmpty());
        QVERIFY(execOnFile(m_learner->root().filePath(QStringLiteral("/udata/alice/o1.ldb")),
                           {QStringLiteral("update TUSELOG set STLen = %1").arg(studySeconds)}));
    }
    for (int i = 1; i < loginCount; ++i)
        g_pUserMgr->addLoginCount(QStringLiteral("alice"));
    Memora_MainWindow_Home home(QDateTime(QDate(2026, 12, 6), QTime(8, 30)),
                                QStringLiteral("alice"));
    const QStringList lines = home.reportText().split('\n');
    QCOMPARE(lines.size(), 7);
    QCOMPARE(lines.at(0), firstLine);
    QCOMPARE(lines.at(3), timeLine);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
