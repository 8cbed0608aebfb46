#include "learn/learncoursedbmemory.h"
#include "learn/learnsetmgr.h"
#include "learnfixtures.h"

#include <QtTest>

using namespace LearnFixtures;

Q_DECLARE_METATYPE(QList<int>)

// Per-course study settings on the learning record.
class TestLearnSetMgr : public QObject
{
    Q_OBJECT

private:
    QString stored(LearnCourseDBMemory &record, const char *key);

private slots:
    void defaultsWithoutRows();
    void nullRecordGivesDefaults();
    void valuesAreStoredAsText_data();
    void valuesAreStoredAsText();
    void forgettingPointsParse_data();
    void forgettingPointsParse();
    void forgettingPointsRoundTrip();
};

QString TestLearnSetMgr::stored(LearnCourseDBMemory &record, const char *key)
{
    return record.setting(QLatin1String(key), QStringLiteral("<missing>")).toString();
}

void TestLearnSetMgr::defaultsWithoutRows()
{
    LearnCourseDBMemory record(QStringLiteral("settings-defaults"));
    LearnSetMgr settings(&record);
    QCOMPARE(settings.learnMode(), 1);
    QCOMPARE(settings.planWordCount(), 100);
    QCOMPARE(settings.showES(), true);
    QCOMPARE(settings.showSI(), true);
    QCOMPARE(settings.forgettingPoints(),
             QList<int>({300, 1800, 43200, 86400, 172800, 345600, 604800, 1296000}));
    // Reading creates no rows.
    QVERIFY(!record.hasSetting(LearnSetMgr::kLearnMode));
}

void TestLearnSetMgr::nullRecordGivesDefaults()
{
    LearnSetMgr settings(nullptr);
    settings.setLearnMode(2);
    QCOMPARE(settings.learnMode(), 1);
    QCOMPARE(settings.planWordCount(), 100);
    QVERIFY(settings.showES());
    QCOMPARE(settings.forgettingPoints().size(), 8);
}

void TestLearnSetMgr::valuesAreStoredAsText_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");
    QTest::newRow("learn mode") << QString(LearnSetMgr::kLearnMode) << QString("2");
    QTest::newRow("plan quota") << QString(LearnSetMgr::kPlanWordCount) << QString("25");
    QTest::newRow("example sentences off") << QString(LearnSetMgr::kShowES) << QString("false");
    QTest::newRow("statistics off") << QString(LearnSetMgr::kShowSI) << QString("false");
    QTest::newRow("forgetting points")
        << QString(LearnSetMgr::kForgettingPoints) << QString("60,0,600");
}

void TestLearnSetMgr::valuesAreStoredAsText()
{
    QFETCH(QString, key);
    QFETCH(QString, text);
    LearnCourseDBMemory record(QStringLiteral("settings-text"));
    LearnSetMgr settings(&record);
    if (key == LearnSetMgr::kLearnMode) {
        settings.setLearnMode(2);
        QCOMPARE(settings.learnMode(), 2);
    } else if (key == LearnSetMgr::kPlanWordCount) {
        settings.setPlanWordCount(25);
        QCOMPARE(settings.planWordCount(), 25);
    } else if (key == LearnSetMgr::kShowES) {
        settings.setShowES(false);
        QCOMPARE(settings.showES(), false);
        settings.setShowES(true);
        QCOMPARE(settings.showES(), true);
        settings.setShowES(false);
    } else if (key == LearnSetMgr::kShowSI) {
        settings.setShowSI(false);
        QCOMPARE(settings.showSI(), false);
        QCOMPARE(settings.showES(), true);
    } else {
        settings.setForgettingPoints({60, 0, 600});
        QCOMPARE(settings.forgettingPoints(), QList<int>({60, 0, 600}));
    }
    QCOMPARE(stored(record, key.toLatin1().constData()), text);
    // A setter overwrites: still one row per key.
    QCOMPARE(record.journal().size(), 0);
}

void TestLearnSetMgr::forgettingPointsParse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("points");
    QTest::newRow("empty part reads 0") << QString("60,,600") << QList<int>({60, 0, 600});
    QTest::newRow("empty text reads the default")
        << QString("") << QList<int>({300, 1800, 43200, 86400, 172800, 345600, 604800, 1296000});
    QTest::newRow("one point") << QString("90") << QList<int>({90});
    QTest::newRow("not a number reads 0") << QString("abc,5") << QList<int>({0, 5});
    QTest::newRow("unsorted stays as stored") << QString("600,60") << QList<int>({600, 60});
    QTest::newRow("trailing comma") << QString("60,") << QList<int>({60, 0});
}

void TestLearnSetMgr::forgettingPointsParse()
{
    QFETCH(QString, text);
    QFETCH(QList<int>, points);
    QCOMPARE(LearnSetMgr::parseForgettingPoints(text), points);

    LearnCourseDBMemory record(QStringLiteral("settings-points"));
    QVERIFY(record.setSetting(LearnSetMgr::kForgettingPoints, text));
    QCOMPARE(LearnSetMgr(&record).forgettingPoints(), points);
}

void TestLearnSetMgr::forgettingPointsRoundTrip()
{
    LearnCourseDBMemory record(QStringLiteral("settings-roundtrip"));
    LearnSetMgr settings(&record);
    settings.setForgettingPoints({300, 1800, 43200, 86400, 172800, 345600, 604800, 1296000});
    QCOMPARE(stored(record, LearnSetMgr::kForgettingPoints),
             QString("300,1800,43200,86400,172800,345600,604800,1296000"));
    // An empty list is stored as "" and reads as the default list.
    settings.setForgettingPoints({});
    QCOMPARE(stored(record, LearnSetMgr::kForgettingPoints), QString(""));
    QCOMPARE(settings.forgettingPoints().size(), 8);
    QCOMPARE(LearnSetMgr::formatForgettingPoints({5, -1, 70}), QString("5,-1,70"));
}

QTEST_GUILESS_MAIN(TestLearnSetMgr)
#include "tst_setmgr.moc"
