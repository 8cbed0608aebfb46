#include "course/coursecategorymgr.h"
#include "course/courseheadercaptions.h"
#include "course/coursesqlquerymodel.h"
#include "course/memora_tableviewcourselist.h"
#include "course/mlbasesqlquerymodel.h"

#include <QColor>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStandardItemModel>
#include <QtTest>

namespace {
const char *const kOfficialList =
    "select id, name, mid, wcount, exist from TTableCourseInfo where cid = 1 group by mid ";
const char *const kMyList = "select distinct id, name, mid, wcount, mwcount, swcount, cttype, "
                            "level, ffactor, lpercent from TTableCourseInfo where cid = 1";
} // namespace

class TestListModels : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();

    void sortByNameColumn_data();
    void sortByNameColumn();
    void sortOnUnknownColumnKeepsRows();
    void invalidQueryLeavesModelEmpty();
    void courseIdAtRow();
    void displayTexts_data();
    void displayTexts();
    void installedStateColours_data();
    void installedStateColours();
    void headerCaptions_data();
    void headerCaptions();
    void viewSortsThroughTheModel();
    void doubleClickOnlyWithLeftButton_data();
    void doubleClickOnlyWithLeftButton();

private:
    QSqlDatabase m_db;
};

void TestListModels::initTestCase()
{
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("listmodels"));
    m_db.setDatabaseName(QStringLiteral(":memory:"));
    QVERIFY(m_db.open());
    QSqlQuery q(m_db);
    QVERIFY(q.exec(QString::fromUtf8(CourseCategoryMgr::kCreateCourseInfoTable)));
    struct Row
    {
        int cid, cttype, mid;
        const char *name;
        int exist, wcount, swcount;
        double level;
        int mwcount;
    };
    const Row rows[] = {
        {1, 2, 12, "banana words", 1, 0, 3, 2.5, 7},
        {1, 1, 3, "apple words", 0, 120, 0, 0, 0},
        {1, 0, 40, "cherry words", 0, 9, 1, 1, 1},
        {2, 2, 12, "banana words", 1, 0, 3, 2.5, 7},
    };
    for (const Row &r : rows) {
        QVERIFY(q.prepare(QStringLiteral("insert into TTableCourseInfo(cid, cttype, mid, name, "
                                         "exist, wcount, swcount, level, mwcount) values(?, ?, "
                                         "?, ?, ?, ?, ?, ?, ?)")));
        for (const QVariant &v : QVariantList{r.cid, r.cttype, r.mid, QString::fromUtf8(r.name),
                                              r.exist, r.wcount, r.swcount, r.level, r.mwcount})
            q.addBindValue(v);
        QVERIFY(q.exec());
    }
}

void TestListModels::cleanupTestCase()
{
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("listmodels"));
}

namespace {
QStringList namesOf(const QSqlQueryModel &model)
{
    QStringList names;
    for (int row = 0; row < model.rowCount(); ++row)
        names << model.record(row).value(QStringLiteral("name")).toString();
    return names;
}
} // namespace

void TestListModels::sortByNameColumn_data()
{
    QTest::addColumn<int>("earlierColumn"); // sorted by first, -1 for none
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("order");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("ascending") << -1 << 1 << int(Qt::AscendingOrder)
                               << QStringLiteral(" order by name")
                               << QStringList{QStringLiteral("apple words"),
                                              QStringLiteral("banana words"),
                                              QStringLiteral("cherry words")};
    QTest::newRow("descending") << -1 << 1 << int(Qt::DescendingOrder)
                                << QStringLiteral(" order by name desc")
                                << QStringList{QStringLiteral("cherry words"),
                                               QStringLiteral("banana words"),
                                               QStringLiteral("apple words")};
    QTest::newRow("sorting again does not stack clauses")
        << 1 << 3 << int(Qt::DescendingOrder) << QStringLiteral(" order by wcount desc")
        << QStringList{QStringLiteral("apple words"), QStringLiteral("cherry words"),
                       QStringLiteral("banana words")};
}

void TestListModels::sortByNameColumn()
{
    QFETCH(int, earlierColumn);
    QFETCH(int, column);
    QFETCH(int, order);
    QFETCH(QString, suffix);
    QFETCH(QStringList, names);
    MlBaseSqlQueryModel model;
    model.setQuery(QLatin1String(kOfficialList), m_db);
    QCOMPARE(model.rowCount(), 3);
    if (earlierColumn >= 0)
        model.sort(earlierColumn, Qt::DescendingOrder);
    model.sort(column, Qt::SortOrder(order));
    // The query keeps its "group by" and gains one order clause (Qt trims the text it runs).
    QCOMPARE(model.query().lastQuery(), QLatin1String(kOfficialList) + suffix);
    QCOMPARE(namesOf(model), names);
    QCOMPARE(model.queryText(), QLatin1String(kOfficialList));
}

void TestListModels::sortOnUnknownColumnKeepsRows()
{
    MlBaseSqlQueryModel model;
    model.setQuery(QLatin1String(kOfficialList), m_db);
    model.sort(1, Qt::DescendingOrder);
    const QStringList before = namesOf(model);
    model.sort(17, Qt::AscendingOrder);
    QCOMPARE(namesOf(model), before);
}

void TestListModels::invalidQueryLeavesModelEmpty()
{
    MlBaseSqlQueryModel model;
    model.setQuery(QStringLiteral("select nosuchcolumn from TTableCourseInfo"), m_db);
    QCOMPARE(model.rowCount(), 0);
    model.sort(0, Qt::AscendingOrder);
    QCOMPARE(model.rowCount(), 0);
}

void TestListModels::courseIdAtRow()
{
    MlBaseSqlQueryModel model;
    model.setQuery(QLatin1String(kOfficialList), m_db);
    model.sort(1, Qt::AscendingOrder);
    // apple words was inserted second (id 2), cherry words third (id 3).
    QCOMPARE(model.courseIdAt(0), 2);
    QCOMPARE(model.courseIdAt(2), 3);
    QCOMPARE(model.courseIdAt(99), 0);
}

void TestListModels::displayTexts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::newRow("official course type")
        << QStringLiteral("banana words") << QStringLiteral("cttype") << QStringLiteral("官方课程");
    QTest::newRow("user course type")
        << QStringLiteral("apple words") << QStringLiteral("cttype") << QStringLiteral("用户课程");
    QTest::newRow("other course type as number")
        << QStringLiteral("cherry words") << QStringLiteral("cttype") << QStringLiteral("0");
    QTest::newRow("word count") << QStringLiteral("apple words") << QStringLiteral("wcount")
                                << QStringLiteral("120个");
    QTest::newRow("known count") << QStringLiteral("banana words") << QStringLiteral("mwcount")
                                 << QStringLiteral("7个");
    QTest::newRow("learning count")
        << QStringLiteral("cherry words") << QStringLiteral("swcount") << QStringLiteral("1个");
    QTest::newRow("level as stored")
        << QStringLiteral("banana words") << QStringLiteral("level") << QStringLiteral("2.5");
    QTest::newRow("installed") << QStringLiteral("banana words") << QStringLiteral("exist")
                               << QStringLiteral("已安装");
    QTest::newRow("not installed")
        << QStringLiteral("apple words") << QStringLiteral("exist") << QStringLiteral("未安装");
}

void TestListModels::displayTexts()
{
    QFETCH(QString, name);
    QFETCH(QString, field);
    QFETCH(QString, text);
    CourseSqlQueryModel model;
    model.setQuery(field == QLatin1String("exist") ? QLatin1String(kOfficialList)
                                                   : QLatin1String(kMyList),
                   m_db);
    const int column = model.record().indexOf(field);
    QVERIFY(column >= 0);
    int row = namesOf(model).indexOf(name);
    QVERIFY(row >= 0);
    QCOMPARE(model.data(model.index(row, column)).toString(), text);
}

void TestListModels::installedStateColours_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("colour");
    QTest::newRow("installed is green")
        << QStringLiteral("banana words") << QStringLiteral("#219a44");
    QTest::newRow("not installed is grey")
        << QStringLiteral("apple words") << QStringLiteral("#666666");
}

void TestListModels::installedStateColours()
{
    QFETCH(QString, name);
    QFETCH(QString, colour);
    CourseSqlQueryModel model;
    model.setQuery(QLatin1String(kOfficialList), m_db);
    const int row = namesOf(model).indexOf(name);
    QVERIFY(row >= 0);
    const int existColumn = model.record().indexOf(QStringLiteral("exist"));
    const QVariant value = model.data(model.index(row, existColumn), Qt::ForegroundRole);
    QCOMPARE(value.value<QColor>().name(), colour);
    // Every other column keeps the view's own colour.
    for (int column = 0; column < model.columnCount(); ++column)
        if (column != existColumn)
            QVERIFY(!model.data(model.index(row, column), Qt::ForegroundRole).isValid());
}

void TestListModels::headerCaptions_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("caption");
    QTest::newRow("cttype") << QStringLiteral("cttype") << QStringLiteral("课程类型");
    QTest::newRow("name") << QStringLiteral("name") << QStringLiteral("课程名");
    QTest::newRow("wcount") << QStringLiteral("wcount") << QStringLiteral("单词数");
    QTest::newRow("level") << QStringLiteral("level") << QStringLiteral("难度");
    QTest::newRow("ffactor") << QStringLiteral("ffactor") << QStringLiteral("遗忘率");
    QTest::newRow("lpercent") << QStringLiteral("lpercent") << QStringLiteral("学习进度");
    QTest::newRow("mwcount") << QStringLiteral("mwcount") << QStringLiteral("掌握数");
    QTest::newRow("swcount") << QStringLiteral("swcount") << QStringLiteral("学习数");
    QTest::newRow("sltime") << QStringLiteral("sltime") << QStringLiteral("首次学习时间");
    QTest::newRow("fftime") << QStringLiteral("fftime") << QStringLiteral("预计完成时间");
    QTest::newRow("lltime") << QStringLiteral("lltime") << QStringLiteral("上次学习时间");
    QTest::newRow("ltcount") << QStringLiteral("ltcount") << QStringLiteral("累计用时");
    QTest::newRow("lltcount") << QStringLiteral("lltcount") << QStringLiteral("上次学习时长");
    QTest::newRow("exist") << QStringLiteral("exist") << QStringLiteral("是否安装");
    QTest::newRow("id is its own header") << QStringLiteral("id") << QStringLiteral("id");
    QTest::newRow("mid is its own header") << QStringLiteral("mid") << QStringLiteral("mid");
}

void TestListModels::headerCaptions()
{
    QFETCH(QString, field);
    QFETCH(QString, caption);
    initCourseHeaderCaptions();
    QCOMPARE(courseHeaderCaption(field), caption);

    CourseSqlQueryModel model;
    model.setQuery(QStringLiteral("select %1 from TTableCourseInfo").arg(field), m_db);
    applyCourseHeaderCaptions(&model);
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), caption);
}

void TestListModels::viewSortsThroughTheModel()
{
    Memora_tableViewCourseList view;
    view.setSortingEnabled(true);
    auto *model = new CourseSqlQueryModel(&view);
    model->setQuery(QLatin1String(kOfficialList), m_db);
    view.setModel(model);
    view.sortByColumn(1, Qt::DescendingOrder);
    QCOMPARE(namesOf(*model).first(), QStringLiteral("cherry words"));
    view.sortByColumn(1, Qt::AscendingOrder);
    QCOMPARE(namesOf(*model).first(), QStringLiteral("apple words"));
}

void TestListModels::doubleClickOnlyWithLeftButton_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("emitted");
    QTest::newRow("left button") << int(Qt::LeftButton) << 1;
    QTest::newRow("right button") << int(Qt::RightButton) << 0;
    QTest::newRow("middle button") << int(Qt::MiddleButton) << 0;
}

void TestListModels::doubleClickOnlyWithLeftButton()
{
    QFETCH(int, button);
    QFETCH(int, emitted);
    QWidget window;
    auto *view = new Memora_tableViewCourseList(&window);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto *model = new CourseSqlQueryModel(view);
    model->setQuery(QLatin1String(kOfficialList), m_db);
    view->setModel(model);
    view->resize(400, 300);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QSignalSpy doubleClicked(view, &QAbstractItemView::doubleClicked);
    const QPoint pos = view->visualRect(model->index(1, 1)).center();
    // The sequence a real double click makes: press, release, double click, release.
    QTest::mouseClick(view->viewport(), Qt::MouseButton(button), Qt::NoModifier, pos);
    QTest::mouseDClick(view->viewport(), Qt::MouseButton(button), Qt::NoModifier, pos);
    QTest::mouseRelease(view->viewport(), Qt::MouseButton(button), Qt::NoModifier, pos);
    QCOMPARE(doubleClicked.count(), emitted);
    if (emitted)
        QCOMPARE(doubleClicked.first().first().toModelIndex().row(), 1);
}

QTEST_MAIN(TestListModels)
#include "tst_listmodels.moc"
