#include "learnerroot.h"
#include "learnfixtures.h"
#include "study/memora_mainwindow_study.h"
#include "ui/memora_homechartpanel.h"
#include "ui/memora_mainwindow_home.h"
#include "ui/memora_mainwindows.h"

#include <QAbstractBarSeries>
#include <QBarSet>
#include <QChart>
#include <QTableView>
#include <QtTest>

// The chart panel of the home page, in the main window of a learner "alice" who learns two
// of the installed courses.
class TestHomeCharts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void chartsFollowTheCurrentCourseAndTheEndOfAStudy();

private:
    // The values of bar set number set of the chart's first series, as drawn.
    static QList<int> bars(QChart *chart, int set = 0);
};

QList<int> TestHomeCharts::bars(QChart *chart, int set)
{
    QList<int> values;
    const auto series = chart ? chart->series() : QList<QAbstractSeries *>();
    auto *bar = series.isEmpty() ? nullptr : qobject_cast<QAbstractBarSeries *>(series.first());
    if (!bar || set >= bar->count())
        return values;
    for (int i = 0; i < bar->barSets().at(set)->count(); ++i)
        values << int(bar->barSets().at(set)->at(i));
    return values;
}

void TestHomeCharts::chartsFollowTheCurrentCourseAndTheEndOfAStudy()
{
    LearnerRoot learner;
    QVERIFY(learner.setUp());
    Memora_MainWindows window;
    const QString core = LearnerRoot::studyOnce(QStringLiteral("日常核心词汇"));
    const QString test = LearnerRoot::studyOnce(QStringLiteral("测试课程词汇"));
    QVERIFY(!core.isEmpty() && !test.isEmpty());
    // Three words known well in one course, one in the other.
    QVERIFY(execOnFile(core, {"update TSTUDYWORD set STATE = 2 where ID <= 3"}));
    QVERIFY(execOnFile(test, {"update TSTUDYWORD set STATE = 2 where ID = 1"}));
    window.logIn(QStringLiteral("alice"), QDateTime::currentDateTime().addDays(-1));
    Memora_MainWindow_Home *home = window.homePage();
    Memora_HomeChartPanel *panel = home->chartPanel();
    QVERIFY(panel && panel->isVisible());
    QTableView *table = home->courseTable();
    QCOMPARE(table->model()->rowCount(), 2);

    const auto knownOfShownCourse = [&] {
        const QList<int> standing = bars(panel->chart(Memora_HomeChartPanel::WordStanding));
        return standing.isEmpty() ? -1 : standing.last();
    };
    const int firstKnown = home->selectedCourseName() == "日常核心词汇" ? 3 : 1;
    QCOMPARE(knownOfShownCourse(), firstKnown);
    const QModelIndex second = table->model()->index(1, 0);
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(second).center());
    QCOMPARE(knownOfShownCourse(), 4 - firstKnown);
    QTest::keyClick(table, Qt::Key_Up);
    QCOMPARE(knownOfShownCourse(), firstKnown);

    // While the learner studies the same course, a session of yesterday reaches a record;
    // back home, the activity chart shows it and the charts show the same course again.
    const QList<int> before = bars(panel->chart(Memora_HomeChartPanel::DailyActivity), 0);
    QCOMPARE(before.size(), 30);
    QTest::mouseClick(home->studyButton(), Qt::LeftButton);
    QVERIFY(window.studyWindow());
    const QString yesterday = QDateTime::currentDateTime().addDays(-1).toString(
        QStringLiteral("yyyy-MM-dd 12:00:00.000"));
    QVERIFY(execOnFile(core, {LearnFixtures::insertUseLog(yesterday, 5, 2)}));
    window.studyWindow()->close();
    QTRY_VERIFY(window.isVisible());
    QCOMPARE(bars(panel->chart(Memora_HomeChartPanel::DailyActivity), 0).value(28),
             before.value(28) + 5);
    QCOMPARE(table->currentIndex().row(), 0);
    QCOMPARE(knownOfShownCourse(), firstKnown);
}

QTEST_MAIN(TestHomeCharts)
#include "tst_homecharts.moc"
