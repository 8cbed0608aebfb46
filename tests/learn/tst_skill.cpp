#include "learn/learnskillmgr.h"
#include "learnfixtures.h"
#include "testroot.h"

#include <QtTest>

using namespace LearnFixtures;

// The study tips, one at a time.
class TestLearnSkillMgr : public QObject
{
    Q_OBJECT

private:
    // "/odata/learnskill.db" with the tips, ids 1..n.
    void makeTips(const QStringList &tips);
    QString tipsPath() const { return m_root->filePath("/odata/learnskill.db"); }

    QScopedPointer<TestRoot> m_root;

private slots:
    void init();
    void cleanup();
    void startsOnATipAndWalksBothWays();
    void walkingWrapsAtBothEnds();
    void tipById();
    void noTips_data();
    void noTips();
};

void TestLearnSkillMgr::init()
{
    m_root.reset(new TestRoot);
    QDir().mkpath(m_root->filePath("/odata"));
}

void TestLearnSkillMgr::cleanup()
{
    m_root.reset();
}

void TestLearnSkillMgr::makeTips(const QStringList &tips)
{
    QStringList statements{"CREATE TABLE TSkill (id INTEGER PRIMARY KEY, info TEXT)"};
    for (int i = 0; i < tips.size(); ++i)
        statements << QStringLiteral("insert into TSkill(id, info) values(%1, '%2')")
                          .arg(i + 1)
                          .arg(QString(tips.at(i)).replace("'", "''"));
    QVERIFY(execOnFile(tipsPath(), statements));
}

void TestLearnSkillMgr::startsOnATipAndWalksBothWays()
{
    makeTips({"tip one", "tip two", "tip three"});
    LearnSkillMgr tips;
    QCOMPARE(tips.tipCount(), 3);
    const int start = tips.currentNumber();
    QVERIFY(start >= 1 && start <= 3);
    QCOMPARE(tips.currentTip(), QStringList({"tip one", "tip two", "tip three"}).at(start - 1));
    const QString next = tips.nextTip();
    QCOMPARE(tips.currentNumber(), start % 3 + 1);
    QCOMPARE(tips.previousTip(), QStringList({"tip one", "tip two", "tip three"}).at(start - 1));
    QVERIFY(next != tips.currentTip());
}

void TestLearnSkillMgr::walkingWrapsAtBothEnds()
{
    makeTips({"a", "b", "c"});
    LearnSkillMgr tips;
    while (tips.currentNumber() != 3)
        tips.nextTip();
    QCOMPARE(tips.nextTip(), QString("a"));
    QCOMPARE(tips.currentNumber(), 1);
    QCOMPARE(tips.previousTip(), QString("c"));
    QCOMPARE(tips.currentNumber(), 3);
}

void TestLearnSkillMgr::tipById()
{
    makeTips({"first", "Tom's \"quoted\" tip 技巧"});
    LearnSkillMgr tips;
    QCOMPARE(tips.tip(2), QString("Tom's \"quoted\" tip 技巧"));
    QCOMPARE(tips.tip(9), QString());
}

void TestLearnSkillMgr::noTips_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing file") << "missing";
    QTest::newRow("empty table") << "empty";
    QTest::newRow("not a database") << "garbage";
}

void TestLearnSkillMgr::noTips()
{
    QFETCH(QString, kind);
    if (kind == "empty") {
        makeTips({});
    } else if (kind == "garbage") {
        QFile file(tipsPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("no tips here");
    }
    LearnSkillMgr tips;
    QCOMPARE(tips.tipCount(), 0);
    QCOMPARE(tips.currentNumber(), 0);
    QCOMPARE(tips.currentTip(), QString());
    QCOMPARE(tips.nextTip(), QString());
    QCOMPARE(tips.previousTip(), QString());
    QCOMPARE(tips.tip(1), QString());
    // A missing tips file is not created.
    QCOMPARE(QFileInfo::exists(tipsPath()), kind != "missing");
}

QTEST_GUILESS_MAIN(TestLearnSkillMgr)
#include "tst_skill.moc"
