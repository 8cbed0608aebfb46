#include "app/apppath.h"
#include "course/coursecategorymgr.h"
#include "course/mcategorycoursedb.h"
#include "course/ocategorycoursedb.h"
#include "course/ucategorycoursedb.h"
#include "coursefixture.h"
#include "learn/learningrecordreader.h"
#include "logcapture.h"
#include "testfiles.h"
#include "testroot.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

// Test access to the catalogue tables (the statements the program never runs itself).
class CatalogueProbe : public UCategoryCourseDB
{
public:
    QVariant value(const QString &sql, const QVariantList &values = {})
    {
        return rexecBound(sql, values);
    }
};

class TestCatalogues : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void missingOfficialCatalogueIsLoggedAndEmpty();
    void missingUserCatalogueIsCreatedWithUserCourses();
    void unreadableUserCatalogueIsLeftAlone();
    void emptyUserCatalogueIsMadeInPlace();
    void officialLookups_data();
    void officialLookups();
    void addedCategoryAndCourseKeepTheirNames_data();
    void addedCategoryAndCourseKeepTheirNames();
    void renameAndDeleteCategoryAndCourse();
    void courseNamesInStoredOrder();
    void myCoursesFromLearningFiles_data();
    void myCoursesFromLearningFiles();
    void myCoursesWithoutLearningFiles();
    void myCoursesCategoriesMadeByExactStatements();

private:
    void writeCatalogues(const TestRoot &root);
};

void TestCatalogues::writeCatalogues(const TestRoot &root)
{
    CatalogueFixture official(root.filePath(QStringLiteral("/odata/course/categorycourse.db")));
    QVERIFY(official.isValid());
    const int top = official.addCategory(0, QStringLiteral("官方课程"));
    official.addCategory(0, QStringLiteral("测试课程"));
    official.addCourse(12, 2, top, QStringLiteral("四级核心"), 1500, false);
    official.addCourse(13, 2, top, QStringLiteral("100% English"), 40, true);

    CatalogueFixture user(root.filePath(QStringLiteral("/udata/course/categorycourse.db")));
    QVERIFY(user.isValid());
    user.addCategory(0, QStringLiteral("用户课程"), 0, 1);
    user.addCourse(7, 1, 1, QStringLiteral("Tom's words"), 25, true);
}

void TestCatalogues::missingOfficialCatalogueIsLoggedAndEmpty()
{
    TestRoot root;
    LogCapture log;
    OCategoryCourseDB official;
    const QString officialPath = appPath(QStringLiteral("/odata/course/categorycourse.db"));
    QVERIFY(log.contains(officialPath + QStringLiteral("不存在")));
    // Nothing is created in its place.
    QVERIFY(!QFile::exists(officialPath));
    QCOMPARE(official.getCourseName(12), QString());
    QCOMPARE(official.getWordCount(12), 0);
    QVERIFY(official.courseRows(0).isEmpty());
    QVERIFY(official.categoryRows(0).isEmpty());
}

void TestCatalogues::missingUserCatalogueIsCreatedWithUserCourses()
{
    TestRoot root;
    const QString userPath = appPath(QStringLiteral("/udata/course/categorycourse.db"));
    {
        LogCapture log;
        UCategoryCourseDB user;
        QVERIFY(log.contains(userPath + QStringLiteral("不存在")));
        QVERIFY(QFile::exists(userPath));
        QCOMPARE(user.getCategoryId(QStringLiteral("用户课程")), 1);
        QVERIFY(user.addCategory(QStringLiteral("新分类")));
        QCOMPARE(
            user.addCourse(user.getCategoryId(QStringLiteral("新分类")), QStringLiteral("新课程")),
            1);
    }
    // The next start finds it as it was left.
    LogCapture log;
    UCategoryCourseDB again;
    QVERIFY(!log.contains(QStringLiteral("不存在")));
    QVERIFY(again.courseExists(QStringLiteral("新课程")));
    QCOMPARE(again.getCourseNames(2), QStringList{QStringLiteral("新课程")});
}

void TestCatalogues::unreadableUserCatalogueIsLeftAlone()
{
    TestRoot root;
    ensureAppDir(QStringLiteral("/udata/course"));
    const QString userPath = appPath(QStringLiteral("/udata/course/categorycourse.db"));
    const QByteArray junk("this is not a database, but it is the user's file\n");
    QVERIFY(TestFiles::write(userPath, junk));
    {
        UCategoryCourseDB user;
        QVERIFY(!user.addCategory(QStringLiteral("新分类")));
        QVERIFY(!user.categoryExists(QStringLiteral("用户课程")));
        QCOMPARE(user.addCourse(1, QStringLiteral("新课程")), 0);
    }
    QCOMPARE(TestFiles::read(userPath), junk);
}

void TestCatalogues::emptyUserCatalogueIsMadeInPlace()
{
    TestRoot root;
    ensureAppDir(QStringLiteral("/udata/course"));
    QVERIFY(TestFiles::write(appPath(QStringLiteral("/udata/course/categorycourse.db")), {}));
    UCategoryCourseDB user;
    QVERIFY(user.categoryExists(QStringLiteral("用户课程")));
    QVERIFY(user.addCourse(1, QStringLiteral("新课程")) > 0);
    QVERIFY(user.courseExists(QStringLiteral("新课程")));
}

void TestCatalogues::officialLookups_data()
{
    QTest::addColumn<int>("mid");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("wcount");
    QTest::newRow("chinese name") << 12 << QStringLiteral("四级核心") << 1500;
    QTest::newRow("percent in name") << 13 << QStringLiteral("100% English") << 40;
    QTest::newRow("absent course") << 99 << QString() << 0;
}

void TestCatalogues::officialLookups()
{
    QFETCH(int, mid);
    QFETCH(QString, name);
    QFETCH(int, wcount);
    TestRoot root;
    writeCatalogues(root);
    OCategoryCourseDB official;
    QCOMPARE(official.getCourseName(mid), name);
    QCOMPARE(official.getWordCount(mid), wcount);
}

void TestCatalogues::addedCategoryAndCourseKeepTheirNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("chinese") << QStringLiteral("考研词汇");
    QTest::newRow("single quote") << QStringLiteral("Tom's list");
    QTest::newRow("percent and marker") << QStringLiteral("50% %1 done");
    QTest::newRow("sql text") << QStringLiteral("x'); DROP TABLE TCategory; --");
}

void TestCatalogues::addedCategoryAndCourseKeepTheirNames()
{
    QFETCH(QString, name);
    TestRoot root;
    writeCatalogues(root);
    CatalogueProbe user;
    QVERIFY(!user.categoryExists(name));
    QCOMPARE(user.getCategoryId(name), 0);
    QVERIFY(user.addCategory(name));
    QVERIFY(user.categoryExists(name));
    const int cid = user.getCategoryId(name);
    QVERIFY(cid > 1);
    QCOMPARE(
        user.value(QStringLiteral("select name from TCategory where id = ?"), {cid}).toString(),
        name);
    QCOMPARE(user.value(QStringLiteral("select pid from TCategory where id = ?"), {cid}).toInt(),
             1);
    QCOMPARE(user.value(QStringLiteral("select count(*) from TCategory")).toInt(), 2);

    // A course of the same name in it: an installed course without words.
    QVERIFY(!user.courseExists(name));
    const int mid = user.addCourse(cid, name);
    // The fixture's one course has row id 1 (and file id 7); the new row follows it.
    QCOMPARE(mid, 2);
    QVERIFY(user.courseExists(name));
    QCOMPARE(user.getCourseMid(name), mid);
    QCOMPARE(user.getCourseName(mid), name);
    QCOMPARE(user.value(QStringLiteral("select name from TCourse where id = ?"), {mid}).toString(),
             name);
    // mid/cttype/cid/wcount/exist
    QCOMPARE(user.value(QStringLiteral("select mid || '/' || cttype || '/' || cid || '/' || "
                                       "wcount || '/' || exist from TCourse where id = ?"),
                        {mid})
                 .toString(),
             QStringLiteral("2/1/%1/0/1").arg(cid));
    QCOMPARE(user.getWordCount(mid), 0);
    QVERIFY(user.setWordCount(mid, 321));
    QCOMPARE(user.getWordCount(mid), 321);
}

void TestCatalogues::renameAndDeleteCategoryAndCourse()
{
    TestRoot root;
    writeCatalogues(root);
    CatalogueProbe user;
    QVERIFY(user.addCategory(QStringLiteral("旧名")));
    const int id = user.getCategoryId(QStringLiteral("旧名"));
    const int courseMid = user.addCourse(id, QStringLiteral("留下的课程"));
    QVERIFY(user.renameCategory(id, QStringLiteral("Anna's 新名")));
    QVERIFY(!user.categoryExists(QStringLiteral("旧名")));
    QCOMPARE(user.getCategoryId(QStringLiteral("Anna's 新名")), id);
    QVERIFY(user.deleteCategory(id));
    QVERIFY(!user.categoryExists(QStringLiteral("Anna's 新名")));
    // The category's courses stay.
    QVERIFY(user.courseExists(QStringLiteral("留下的课程")));
    QCOMPARE(user.getCourseMid(QStringLiteral("留下的课程")), courseMid);
    // "用户课程" is untouched.
    QCOMPARE(user.getCategoryId(QStringLiteral("用户课程")), 1);

    // Deleting a course keeps the others.
    QVERIFY(user.deleteCourse(courseMid));
    QVERIFY(!user.courseExists(QStringLiteral("留下的课程")));
    QCOMPARE(user.getCourseMid(QStringLiteral("留下的课程")), 0);
    QVERIFY(user.courseExists(QStringLiteral("Tom's words")));
}

void TestCatalogues::courseNamesInStoredOrder()
{
    TestRoot root;
    writeCatalogues(root);
    UCategoryCourseDB user;
    QVERIFY(user.addCategory(QStringLiteral("分类")));
    const int cid = user.getCategoryId(QStringLiteral("分类"));
    const QStringList names = {QStringLiteral("b 课程"), QStringLiteral("a'课程"),
                               QStringLiteral("c%课程")};
    for (const QString &name : names)
        QVERIFY(user.addCourse(cid, name) > 0);
    QCOMPARE(user.getCourseNames(cid), names);
    QCOMPARE(user.getCourseNames(1), QStringList{QStringLiteral("Tom's words")});
    QVERIFY(user.getCourseNames(cid + 100).isEmpty());
}

namespace {
// Rows of the my-courses catalogue: "mid/cttype/category name/course name/wcount".
QStringList myCourseRows(MCategoryCourseDB *my)
{
    QStringList rows;
    const QString sql = QStringLiteral(
        "select c.mid, c.cttype, g.name, c.name, c.wcount from TCourse c join TCategory g on "
        "g.id = c.cid order by c.cttype, c.mid");
    QSqlQuery q(QSqlDatabase::database(my->connectionName()));
    if (!q.exec(sql))
        return {QStringLiteral("query failed")};
    while (q.next())
        rows << QStringLiteral("%1/%2/%3/%4/%5")
                    .arg(q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                         q.value(3).toString(), q.value(4).toString());
    return rows;
}
} // namespace

void TestCatalogues::myCoursesFromLearningFiles_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QList<int>>("states");
    QTest::addColumn<QString>("expected");
    QTest::newRow("user course in learning") << QStringLiteral("u7.ldb") << QList<int>{2, 1, 0}
                                             << QStringLiteral("7/1/学习中../Tom's words/25");
    QTest::newRow("official course all new") << QStringLiteral("o12.ldb") << QList<int>{0, 0}
                                             << QStringLiteral("12/2/学习中../四级核心/1500");
    QTest::newRow("official course all known") << QStringLiteral("o13.ldb") << QList<int>{2, 2, 2}
                                               << QStringLiteral("13/2/已掌握../100% English/40");
    QTest::newRow("record without words") << QStringLiteral("o12.ldb") << QList<int>{}
                                          << QStringLiteral("12/2/已掌握../四级核心/1500");
    QTest::newRow("course missing from its catalogue")
        << QStringLiteral("u44.ldb") << QList<int>{1} << QStringLiteral("44/1/学习中..//0");
    QTest::newRow("file id not a number")
        << QStringLiteral("oabc.ldb") << QList<int>{1} << QStringLiteral("0/2/学习中..//0");
    QTest::newRow("neither user nor official")
        << QStringLiteral("x12.ldb") << QList<int>{1} << QString();
}

void TestCatalogues::myCoursesFromLearningFiles()
{
    QFETCH(QString, fileName);
    QFETCH(QList<int>, states);
    QFETCH(QString, expected);
    TestRoot root;
    writeCatalogues(root);
    QList<StudyWordRow> words = newWords(states.size());
    for (int i = 0; i < states.size(); ++i)
        words[i].state = states.at(i);
    QVERIFY(writeLearnRecord(root.filePath(QStringLiteral("/udata/alice/") + fileName), words));
    // Other files in the folder are no records.
    QVERIFY(writeCourseFile(root.filePath(QStringLiteral("/udata/alice/notes.db")), {}));

    CourseCategoryMgr tree(QStringLiteral("alice"), readLearningRecord);
    const QStringList rows = myCourseRows(tree.mCategoryCourseDB());
    QCOMPARE(rows, expected.isEmpty() ? QStringList() : QStringList{expected});
}

void TestCatalogues::myCoursesWithoutLearningFiles()
{
    TestRoot root;
    writeCatalogues(root);
    CourseCategoryMgr tree(QStringLiteral("bob"), readLearningRecord);
    QVERIFY(QDir(appPath(QStringLiteral("/udata/bob"))).exists());
    MCategoryCourseDB *my = tree.mCategoryCourseDB();
    QVERIFY(myCourseRows(my).isEmpty());
    QSqlQuery q(QSqlDatabase::database(my->connectionName()));
    QVERIFY(q.exec(QStringLiteral("select id, pid, name from TCategory order by id")));
    QStringList categories;
    while (q.next())
        categories << QStringLiteral("%1/%2/%3")
                          .arg(q.value(0).toString(), q.value(1).toString(), q.value(2).toString());
    QCOMPARE(categories,
             (QStringList{QStringLiteral("1/0/我的课程"), QStringLiteral("2/1/学习中.."),
                          QStringLiteral("3/1/已掌握..")}));
    QCOMPARE(my->learningCategoryId(), 2);
    QCOMPARE(my->masteredCategoryId(), 3);
}

void TestCatalogues::myCoursesCategoriesMadeByExactStatements()
{
    TestRoot root;
    CourseCategoryMgr tree(QStringLiteral("carol"), readLearningRecord);
    MCategoryCourseDB *my = tree.mCategoryCourseDB();
    QCOMPARE(my->connectionName(), QStringLiteral("MCategoryCourseDB"));
    QCOMPARE(my->rexec(QStringLiteral("select sql from sqlite_master where name = 'TCourse'"))
                 .toString(),
             QStringLiteral("CREATE TABLE [TCourse] ( \t\t\t   [mid] INTEGER, \t\t\t   [cttype] "
                            "INTEGER, \t\t\t   [cid] INTEGER, \t\t\t   [name] TEXT, \t\t\t   "
                            "[wcount] INTEGER)"));
    QCOMPARE(my->rexec(QStringLiteral("select sql from sqlite_master where name = 'TCategory'"))
                 .toString(),
             QStringLiteral("CREATE TABLE [TCategory] ( \t\t\t   [id] INTEGER PRIMARY KEY "
                            "AUTOINCREMENT, \t\t\t   [pid] INTEGER, \t\t\t   [name] TEXT, "
                            "\t\t\t   [coursecount] INTEGER)"));
}

QTEST_MAIN(TestCatalogues)
#include "tst_catalogues.moc"
