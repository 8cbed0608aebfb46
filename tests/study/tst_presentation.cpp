#include "study/studygeometry.h"

#include <QtTest>

class TestPresentation : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void windowPlacement_data();
    void windowPlacement();
    void questionHeightFollowsTheWordsLines_data();
    void questionHeightFollowsTheWordsLines();
    void compactStatisticsUpTo662Pixels();
};

void TestPresentation::windowPlacement_data()
{
    QTest::addColumn<QRect>("desktop");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<bool>("fullScreen");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<int>("display");
    QTest::newRow("1024x768") << QRect(0, 0, 1024, 768) << QRect(0, 0, 1024, 740) << false
                              << QRect(150, 74, 723, 620) << 416;
    QTest::newRow("800x600") << QRect(0, 0, 800, 600) << QRect(0, 0, 800, 570) << false
                             << QRect(0, 20, 800, 550) << 396;
    QTest::newRow("640x480") << QRect(0, 0, 640, 480) << QRect(0, 0, 640, 450) << false
                             << QRect(0, 20, 640, 430) << 300;
    QTest::newRow("1920x1080 offset") << QRect(100, 50, 1920, 1080) << QRect(100, 50, 1920, 1040)
                                      << true << QRect(698, 280, 723, 620) << 564;
}

void TestPresentation::windowPlacement()
{
    QFETCH(QRect, desktop);
    QFETCH(QRect, available);
    QFETCH(bool, fullScreen);
    QFETCH(QRect, geometry);
    QFETCH(int, display);
    QCOMPARE(StudyGeometry::windowGeometry(desktop, available, 20), geometry);
    QCOMPARE(StudyGeometry::mainDisplayHeight(desktop.height(), fullScreen), display);
}

void TestPresentation::questionHeightFollowsTheWordsLines_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<int>("height");
    QTest::newRow("one line") << "apple" << 40;
    QTest::newRow("two breaks") << "to be\nor not\nto be" << 90;
    QTest::newRow("one break") << "ice\ncream" << 60;
}

void TestPresentation::questionHeightFollowsTheWordsLines()
{
    QFETCH(QString, word);
    QFETCH(int, height);
    QCOMPARE(StudyGeometry::questionHeight(30, word), height);
}

void TestPresentation::compactStatisticsUpTo662Pixels()
{
    QVERIFY(StudyGeometry::compactStatistics(662));
    QVERIFY(!StudyGeometry::compactStatistics(663));
}

QTEST_MAIN(TestPresentation)
#include "tst_presentation.moc"
