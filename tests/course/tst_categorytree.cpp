#include "app/apppath.h"
#include "course/coursecategorymgr.h"
#include "course/coursesqlquerymodel.h"
#include "coursefixture.h"
#include "learn/learningrecordreader.h"
#include "logcapture.h"
#include "testroot.h"

#include <QHeaderView>
#include <QMap>
#include <QPointer>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTableView>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

// The course library of these tests:
//  official: 官方课程 { 基础词汇 (11, file with words), 四级核心 (13) }
//              └ 四级词汇 { 四级核心 (12) }
//            测试课程 { Tom's 100% (14, file without words) }
//  user:     用户课程 { 生词本 (2, no file) } └ Tom's 分类 { Tom's words (1, file) }
//  alice's records: o11 (in learning), u1 (all known), o14 (no words), x5 (not a record)
class TestCategoryTree : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void treeLabelsCountDistinctNamesAndListTheirCourses_data();
    void treeLabelsCountDistinctNamesAndListTheirCourses();
    void treeItemsCarryNodeIdsAndAreExpanded();
    void specialNodes_data();
    void specialNodes();
    void statisticsOfStudiedCourse();
    void statisticsOnEveryRowOfTheCourse();
    void statisticsFollowTheRecordsForgettingPoints();
    void missingNodeIsMyCoursesTypeWithNoRows();
    void courseQueries_data();
    void courseQueries();
    void unknownCourseHasNoPrefixAndIsUnavailable();
    void showCoursesColumnsAndHeaders_data();
    void showCoursesColumnsAndHeaders();
    void showCoursesReplacesAndDeletesItsModel();
    void shownListOutlivesTheTree();
    void userWithoutLearningFiles();
    void missingCataloguesGiveOnlyMyAndUserCourses();
    void categoryLoopInCatalogueEnds();
    void installedOfficialCatalogue_data();
    void installedOfficialCatalogue();
    void downloadedCourseFoundInDataFolder();

private:
    QStringList courseNamesOf(int nodeId);
    int nodeIdByName(const QString &name);
    QString cell(QAbstractItemModel *model, int row, const QString &field);
    int rowOf(QAbstractItemModel *model, const QString &name);

    TestRoot *m_root = nullptr;
    CourseCategoryMgr *m_tree = nullptr;
};

void TestCategoryTree::init()
{
    m_root = new TestRoot;
    const TestRoot &root = *m_root;
    CatalogueFixture official(root.filePath(QStringLiteral("/odata/course/categorycourse.db")));
    QVERIFY(official.isValid());
    const int top = official.addCategory(0, QStringLiteral("官方课程"), 99);
    const int cet4 = official.addCategory(top, QStringLiteral("四级词汇"));
    const int test = official.addCategory(0, QStringLiteral("测试课程"));
    official.addCourse(11, 2, top, QStringLiteral("基础词汇"), 5, false);
    official.addCourse(13, 2, top, QStringLiteral("四级核心"), 30, false);
    official.addCourse(12, 2, cet4, QStringLiteral("四级核心"), 20, false);
    official.addCourse(14, 2, test, QStringLiteral("Tom's 100%"), 0, false);

    CatalogueFixture user(root.filePath(QStringLiteral("/udata/course/categorycourse.db")));
    QVERIFY(user.isValid());
    user.addCategory(0, QStringLiteral("用户课程"), 0, 1);
    const int toms = user.addCategory(1, QStringLiteral("Tom's 分类"));
    user.addCourse(1, 1, toms, QStringLiteral("Tom's words"), 4, true);
    user.addCourse(2, 1, 1, QStringLiteral("生词本"), 2, true);

    QVERIFY(
        writeCourseFile(root.filePath(QStringLiteral("/odata/course/11.db")), numberedWords(5)));
    QVERIFY(writeCourseFile(root.filePath(QStringLiteral("/odata/course/14.db")), {}));
    // Not plain file ids: they mark nothing installed.
    QVERIFY(writeCourseFile(root.filePath(QStringLiteral("/odata/course/12.old.db")),
                            numberedWords(3)));
    QVERIFY(
        writeCourseFile(root.filePath(QStringLiteral("/odata/course/013.db")), numberedWords(3)));
    QVERIFY(writeCourseFile(root.filePath(QStringLiteral("/udata/course/1.db")), numberedWords(4)));

    // o11: 5 words, one known (step 3), two in learning (steps 1 and 2), two new.
    QList<StudyWordRow> o11 = newWords(5);
    o11[0].state = 2;
    o11[0].step = 3;
    o11[0].times = 4;
    o11[1].state = 1;
    o11[1].step = 1;
    o11[1].dLevel = 2;
    o11[1].times = 2;
    o11[2].state = 1;
    o11[2].step = 2;
    o11[2].dLevel = 1;
    o11[2].times = 3;
    QVERIFY(writeLearnRecord(root.filePath(QStringLiteral("/udata/alice/o11.ldb")), o11));
    QList<StudyWordRow> u1 = newWords(4);
    for (StudyWordRow &w : u1) {
        w.state = 2;
        w.times = 1;
    }
    QVERIFY(writeLearnRecord(root.filePath(QStringLiteral("/udata/alice/u1.ldb")), u1));
    QVERIFY(writeLearnRecord(root.filePath(QStringLiteral("/udata/alice/o14.ldb")), {}));
    QVERIFY(writeLearnRecord(root.filePath(QStringLiteral("/udata/alice/x5.ldb")), newWords(3)));

    m_tree = new CourseCategoryMgr(QStringLiteral("alice"), readLearningRecord);
}

void TestCategoryTree::cleanup()
{
    delete m_tree;
    m_tree = nullptr;
    delete m_root;
    m_root = nullptr;
}

QStringList TestCategoryTree::courseNamesOf(int nodeId)
{
    QTableView view;
    m_tree->showCourses(&view, nodeId);
    QStringList names;
    QAbstractItemModel *model = view.model();
    if (!model)
        return names;
    for (int row = 0; row < model->rowCount(); ++row)
        names << cell(model, row, QStringLiteral("name"));
    names.sort();
    return names;
}

int TestCategoryTree::nodeIdByName(const QString &name)
{
    QTreeWidget widget;
    m_tree->buildTree(&widget);
    const QList<QTreeWidgetItem *> items =
        widget.findItems(name + QStringLiteral("("), Qt::MatchStartsWith | Qt::MatchRecursive);
    return items.size() == 1 ? items.first()->type() : -1;
}

QString TestCategoryTree::cell(QAbstractItemModel *model, int row, const QString &field)
{
    auto *sqlModel = qobject_cast<QSqlQueryModel *>(model);
    if (!sqlModel)
        return QStringLiteral("no model");
    const int column = sqlModel->record().indexOf(field);
    if (column < 0)
        return QStringLiteral("no column");
    return model->data(model->index(row, column)).toString();
}

int TestCategoryTree::rowOf(QAbstractItemModel *model, const QString &name)
{
    for (int row = 0; model && row < model->rowCount(); ++row)
        if (cell(model, row, QStringLiteral("name")) == name)
            return row;
    return -1;
}

void TestCategoryTree::treeLabelsCountDistinctNamesAndListTheirCourses_data()
{
    // A course is listed under its node and the node's ancestors.
    QTest::addColumn<QString>("parentLabel");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QStringList>("names");
    const QString my = QStringLiteral("我的课程(3)");
    QTest::newRow("my courses") << QString() << my
                                << QStringList{QStringLiteral("Tom's 100%"),
                                               QStringLiteral("Tom's words"),
                                               QStringLiteral("基础词汇")};
    QTest::newRow("learning") << my << QStringLiteral("学习中..(1)")
                              << QStringList{QStringLiteral("基础词汇")};
    QTest::newRow("mastered, quoted and empty course")
        << my << QStringLiteral("已掌握..(2)")
        << QStringList{QStringLiteral("Tom's 100%"), QStringLiteral("Tom's words")};
    QTest::newRow("user courses") << QString() << QStringLiteral("用户课程(2)")
                                  << QStringList{QStringLiteral("Tom's words"),
                                                 QStringLiteral("生词本")};
    QTest::newRow("quoted user category")
        << QStringLiteral("用户课程(2)") << QStringLiteral("Tom's 分类(1)")
        << QStringList{QStringLiteral("Tom's words")};
    QTest::newRow("official, same name counted once")
        << QString() << QStringLiteral("官方课程(2)")
        << QStringList{QStringLiteral("四级核心"), QStringLiteral("四级核心"),
                       QStringLiteral("基础词汇")};
    QTest::newRow("official subcategory")
        << QStringLiteral("官方课程(2)") << QStringLiteral("四级词汇(1)")
        << QStringList{QStringLiteral("四级核心")};
    QTest::newRow("test courses") << QString() << QStringLiteral("测试课程(1)")
                                  << QStringList{QStringLiteral("Tom's 100%")};
}

void TestCategoryTree::treeLabelsCountDistinctNamesAndListTheirCourses()
{
    QFETCH(QString, parentLabel);
    QFETCH(QString, label);
    QFETCH(QStringList, names);
    QTreeWidget widget;
    m_tree->buildTree(&widget);
    const QList<QTreeWidgetItem *> items =
        widget.findItems(label, Qt::MatchExactly | Qt::MatchRecursive);
    QCOMPARE(items.size(), 1);
    QTreeWidgetItem *parent = items.first()->parent();
    QCOMPARE(parent ? parent->text(0) : QString(), parentLabel);
    names.sort();
    QCOMPARE(courseNamesOf(items.first()->type()), names);
}

void TestCategoryTree::treeItemsCarryNodeIdsAndAreExpanded()
{
    QTreeWidget widget;
    m_tree->buildTree(&widget);
    QCOMPARE(widget.topLevelItemCount(), 4);
    int seen = 0;
    QTreeWidgetItemIterator it(&widget);
    for (; *it; ++it) {
        QTreeWidgetItem *item = *it;
        ++seen;
        const int id = item->type();
        QCOMPARE(item->data(0, Qt::UserRole).toInt(), id);
        QCOMPARE(item->columnCount(), 1);
        QCOMPARE(QStringLiteral("%1(").arg(m_tree->nodeName(id)),
                 item->text(0).section(QLatin1Char('('), 0, -2) + QStringLiteral("("));
        if (item->childCount() > 0)
            QVERIFY(item->isExpanded());
    }
    QCOMPARE(seen, 8);
}

void TestCategoryTree::specialNodes_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("catype");
    QTest::newRow("user courses") << 0 << QStringLiteral("用户课程") << 1;
    QTest::newRow("my courses") << 1 << QStringLiteral("我的课程") << 0;
    QTest::newRow("official courses") << 2 << QStringLiteral("官方课程") << 2;
    QTest::newRow("mastered") << 3 << QStringLiteral("已掌握..") << 0;
    QTest::newRow("learning") << 4 << QStringLiteral("学习中..") << 0;
    QTest::newRow("test courses") << 5 << QStringLiteral("测试课程") << 2;
}

void TestCategoryTree::specialNodes()
{
    QFETCH(int, which);
    QFETCH(QString, name);
    QFETCH(int, catype);
    const int ids[] = {m_tree->userCoursesNodeId(),     m_tree->myCoursesNodeId(),
                       m_tree->officialCoursesNodeId(), m_tree->masteredNodeId(),
                       m_tree->learningNodeId(),        m_tree->testCoursesNodeId()};
    const int id = ids[which];
    QCOMPARE(id, nodeIdByName(name));
    QCOMPARE(m_tree->nodeName(id), name);
    QCOMPARE(m_tree->nodeType(id), catype);
    // The home page shows node 2 as the courses being learned.
    QCOMPARE(m_tree->learningNodeId(), 2);
}

void TestCategoryTree::statisticsOfStudiedCourse()
{
    QTableView view;
    m_tree->showCourses(&view, m_tree->learningNodeId());
    QAbstractItemModel *model = view.model();
    QCOMPARE(model->rowCount(), 1);
    QCOMPARE(cell(model, 0, QStringLiteral("name")), QStringLiteral("基础词汇"));
    QCOMPARE(cell(model, 0, QStringLiteral("wcount")), QStringLiteral("5个"));
    QCOMPARE(cell(model, 0, QStringLiteral("mwcount")), QStringLiteral("1个"));
    QCOMPARE(cell(model, 0, QStringLiteral("swcount")), QStringLiteral("2个"));
    QCOMPARE(cell(model, 0, QStringLiteral("cttype")), QStringLiteral("官方课程"));
    // Average level 3/5; steps per grading 6/9; progress 100 * (1 + 2 + 8 * 1) / (8 * 5).
    QCOMPARE(cell(model, 0, QStringLiteral("level")), QStringLiteral("0.6"));
    QCOMPARE(cell(model, 0, QStringLiteral("ffactor")), QStringLiteral("0.666667"));
    QCOMPARE(cell(model, 0, QStringLiteral("lpercent")), QStringLiteral("27.5"));
    QCOMPARE(cell(model, 0, QStringLiteral("sltime")), QString());
}

void TestCategoryTree::statisticsOnEveryRowOfTheCourse()
{
    // The root (0) lists every course of every catalogue, each with its statistics.
    QTableView view;
    m_tree->showCourses(&view, 0);
    QAbstractItemModel *model = view.model();
    int studied = 0;
    for (int row = 0; row < model->rowCount(); ++row) {
        const QString name = cell(model, row, QStringLiteral("name"));
        const QString known = cell(model, row, QStringLiteral("mwcount"));
        if (name == QStringLiteral("基础词汇")) {
            QCOMPARE(known, QStringLiteral("1个"));
            ++studied;
        } else if (name == QStringLiteral("Tom's words")) {
            QCOMPARE(known, QStringLiteral("4个"));
            QCOMPARE(cell(model, row, QStringLiteral("lpercent")), QStringLiteral("100"));
            ++studied;
        } else if (name == QStringLiteral("生词本")) {
            // Never studied: no statistics.
            QCOMPARE(known, QStringLiteral("0个"));
            QCOMPARE(cell(model, row, QStringLiteral("lpercent")), QString());
        }
    }
    // 基础词汇 under the root through my courses and the official catalogue, Tom's words
    // through my courses and the user catalogue.
    QCOMPARE(studied, 4);
}

void TestCategoryTree::statisticsFollowTheRecordsForgettingPoints()
{
    delete m_tree;
    // Four forgetting points: 100 * (1 + 2 + 4 * 1) / (4 * 5) = 35.
    QList<StudyWordRow> words = newWords(5);
    words[0].state = 2;
    words[1].state = 1;
    words[1].step = 1;
    words[2].state = 1;
    words[2].step = 2;
    QVERIFY(writeLearnRecord(m_root->filePath(QStringLiteral("/udata/dora/o11.ldb")), words,
                             QStringLiteral("60,600,6000,60000")));
    m_tree = new CourseCategoryMgr(QStringLiteral("dora"), readLearningRecord);
    QTableView view;
    m_tree->showCourses(&view, m_tree->learningNodeId());
    QCOMPARE(cell(view.model(), 0, QStringLiteral("lpercent")), QStringLiteral("35"));
}

void TestCategoryTree::missingNodeIsMyCoursesTypeWithNoRows()
{
    QCOMPARE(m_tree->nodeType(9999), 0);
    QCOMPARE(m_tree->nodeName(9999), QString());
    QTableView view;
    m_tree->showCourses(&view, 9999);
    QVERIFY(view.model());
    QCOMPARE(view.model()->rowCount(), 0);
    QCOMPARE(view.model()->columnCount(), 15);
}

void TestCategoryTree::courseQueries_data()
{
    QTest::addColumn<QString>("node");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("mid");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("available");
    // The installed state of official courses, from the files on disk.
    QTest::addColumn<QString>("exist");
    const QString installed = QStringLiteral("已安装");
    QTest::newRow("file on disk overrides catalogue")
        << QStringLiteral("官方课程") << QStringLiteral("基础词汇") << 2 << 11
        << QStringLiteral("o") << QStringLiteral("/odata/course/11.db") << true << installed;
    QTest::newRow("not downloaded, only a file with a longer name")
        << QStringLiteral("四级词汇") << QStringLiteral("四级核心") << 2 << 12
        << QStringLiteral("o") << QStringLiteral("/odata/course/12.db") << false
        << QStringLiteral("未安装");
    QTest::newRow("word file without words: installed, not available")
        << QStringLiteral("测试课程") << QStringLiteral("Tom's 100%") << 2 << 14
        << QStringLiteral("o") << QStringLiteral("/odata/course/14.db") << false << installed;
    QTest::newRow("user course with a quote")
        << QStringLiteral("Tom's 分类") << QStringLiteral("Tom's words") << 1 << 1
        << QStringLiteral("u") << QStringLiteral("/udata/course/1.db") << true << QString();
    QTest::newRow("user course without file")
        << QStringLiteral("用户课程") << QStringLiteral("生词本") << 1 << 2 << QStringLiteral("u")
        << QStringLiteral("/udata/course/2.db") << false << QString();
}

void TestCategoryTree::courseQueries()
{
    QFETCH(QString, node);
    QFETCH(QString, name);
    QFETCH(int, type);
    QFETCH(int, mid);
    QFETCH(QString, prefix);
    QFETCH(QString, path);
    QFETCH(bool, available);
    QFETCH(QString, exist);
    QTableView view;
    m_tree->showCourses(&view, nodeIdByName(node));
    auto *model = qobject_cast<MlBaseSqlQueryModel *>(view.model());
    QVERIFY(model);
    const int row = rowOf(model, name);
    QVERIFY(row >= 0);
    if (!exist.isEmpty())
        QCOMPARE(cell(model, row, QStringLiteral("exist")), exist);
    const int id = model->courseIdAt(row);
    QVERIFY(id > 0);
    QCOMPARE(m_tree->courseName(id), name);
    QCOMPARE(m_tree->courseType(id), type);
    QCOMPARE(m_tree->courseMid(id), mid);
    QCOMPARE(m_tree->getCoursePrxByid(id), prefix);
    QCOMPARE(m_tree->coursePath(id), appPath(path));
    LogCapture log;
    QCOMPARE(m_tree->isCourseAvailable(id), available);
    QVERIFY(log.contains(QStringLiteral("CourseCategoryMgr::isCourseAvailable")));
    // The check leaves no word file behind.
    QCOMPARE(QFile::exists(appPath(path)), available || mid == 14);
}

void TestCategoryTree::unknownCourseHasNoPrefixAndIsUnavailable()
{
    LogCapture log;
    QCOMPARE(m_tree->courseName(9999), QString());
    QCOMPARE(m_tree->courseType(9999), 0);
    QCOMPARE(m_tree->courseMid(9999), 0);
    QCOMPARE(m_tree->getCoursePrxByid(9999), QString());
    QVERIFY(log.contains(QStringLiteral("CourseCategoryMgr::getCoursePrxByid faild")));
    QCOMPARE(m_tree->coursePath(9999), appPath(QString()));
    QVERIFY(!m_tree->isCourseAvailable(9999));
}

void TestCategoryTree::showCoursesColumnsAndHeaders_data()
{
    QTest::addColumn<QString>("node");
    QTest::addColumn<QStringList>("headers");
    QTest::addColumn<QList<int>>("hidden");
    QTest::newRow("my courses")
        << QStringLiteral("学习中..")
        << QStringList{QStringLiteral("id"),           QStringLiteral("课程名"),
                       QStringLiteral("mid"),          QStringLiteral("单词数"),
                       QStringLiteral("掌握数"),       QStringLiteral("学习数"),
                       QStringLiteral("课程类型"),     QStringLiteral("难度"),
                       QStringLiteral("遗忘率"),       QStringLiteral("学习进度"),
                       QStringLiteral("首次学习时间"), QStringLiteral("预计完成时间"),
                       QStringLiteral("上次学习时间"), QStringLiteral("累计用时"),
                       QStringLiteral("上次学习时长")}
        << QList<int>{0, 2, 10, 11, 12, 13, 14};
    QTest::newRow("user courses") << QStringLiteral("用户课程")
                                  << QStringList{QStringLiteral("id"), QStringLiteral("课程名"),
                                                 QStringLiteral("mid"), QStringLiteral("单词数")}
                                  << QList<int>{0, 2};
    QTest::newRow("official courses")
        << QStringLiteral("官方课程")
        << QStringList{QStringLiteral("id"), QStringLiteral("课程名"), QStringLiteral("mid"),
                       QStringLiteral("单词数"), QStringLiteral("是否安装")}
        << QList<int>{0, 2};
}

void TestCategoryTree::showCoursesColumnsAndHeaders()
{
    QFETCH(QString, node);
    QFETCH(QStringList, headers);
    QFETCH(QList<int>, hidden);
    QTableView view;
    view.setShowGrid(true);
    // A view that showed a my-courses list before: its hidden columns must not linger.
    m_tree->showCourses(&view, m_tree->learningNodeId());
    m_tree->showCourses(&view, nodeIdByName(node));
    QAbstractItemModel *model = view.model();
    QCOMPARE(model->columnCount(), headers.size());
    for (int column = 0; column < headers.size(); ++column) {
        QCOMPARE(model->headerData(column, Qt::Horizontal).toString(), headers.at(column));
        QCOMPARE(view.isColumnHidden(column), hidden.contains(column));
    }
    QVERIFY(!view.showGrid());
}

void TestCategoryTree::showCoursesReplacesAndDeletesItsModel()
{
    QTableView view;
    m_tree->showCourses(&view, m_tree->officialCoursesNodeId());
    QPointer<QAbstractItemModel> first = view.model();
    QPointer<QItemSelectionModel> firstSelection = view.selectionModel();
    QVERIFY(first);
    QCOMPARE(first->parent(), &view);
    m_tree->showCourses(&view, m_tree->userCoursesNodeId());
    QVERIFY(first.isNull());
    QVERIFY(firstSelection.isNull());
    QVERIFY(view.model());
    QCOMPARE(view.model()->parent(), &view);
    QCOMPARE(view.model()->rowCount(), 2);
    QCOMPARE(view.findChildren<CourseSqlQueryModel *>().size(), 1);
}

void TestCategoryTree::shownListOutlivesTheTree()
{
    QTableView view;
    m_tree->showCourses(&view, m_tree->officialCoursesNodeId());
    QVERIFY(view.model()->rowCount() > 0);
    LogCapture log;
    delete m_tree;
    m_tree = nullptr;
    // The list is emptied with the tree's database, which closes cleanly.
    QCOMPARE(view.model()->rowCount(), 0);
    QVERIFY(!log.contains(QStringLiteral("still in use")));
    m_tree = new CourseCategoryMgr(QStringLiteral("alice"), readLearningRecord);
    m_tree->showCourses(&view, m_tree->officialCoursesNodeId());
    QCOMPARE(view.model()->rowCount(), 3);
}

void TestCategoryTree::userWithoutLearningFiles()
{
    delete m_tree;
    m_tree = new CourseCategoryMgr(QStringLiteral("bob"), readLearningRecord);
    QVERIFY(!m_tree->hasLearnFiles());
    QTreeWidget widget;
    m_tree->buildTree(&widget);
    for (const QString &label : {QStringLiteral("我的课程(0)"), QStringLiteral("学习中..(0)"),
                                 QStringLiteral("已掌握..(0)")})
        QCOMPARE(widget.findItems(label, Qt::MatchExactly | Qt::MatchRecursive).size(), 1);

    delete m_tree;
    m_tree = new CourseCategoryMgr(QStringLiteral("alice"), readLearningRecord);
    QVERIFY(m_tree->hasLearnFiles());
}

void TestCategoryTree::missingCataloguesGiveOnlyMyAndUserCourses()
{
    delete m_tree;
    m_tree = nullptr;
    TestRoot empty;
    LogCapture log;
    CourseCategoryMgr tree(QStringLiteral("alice"), readLearningRecord);
    QVERIFY(log.contains(QStringLiteral("不存在")));
    QTreeWidget widget;
    tree.buildTree(&widget);
    // The user's own catalogue is made on first use; the official one is only missing.
    QCOMPARE(widget.topLevelItemCount(), 2);
    QCOMPARE(widget.topLevelItem(0)->text(0), QStringLiteral("我的课程(0)"));
    QCOMPARE(widget.topLevelItem(1)->text(0), QStringLiteral("用户课程(0)"));
    QVERIFY(tree.userCoursesNodeId() > 0);
    QCOMPARE(tree.officialCoursesNodeId(), 0);
    QCOMPARE(tree.testCoursesNodeId(), 0);
    QVERIFY(tree.learningNodeId() > 0);
}

void TestCategoryTree::categoryLoopInCatalogueEnds()
{
    delete m_tree;
    m_tree = nullptr;
    TestRoot looped;
    // A category with id 0 is its own child (parent 0): following it would never end.
    CatalogueFixture user(looped.filePath(QStringLiteral("/udata/course/categorycourse.db")));
    user.addCategory(0, QStringLiteral("用户课程"), 0, 1);
    user.addCategory(1, QStringLiteral("子分类"), 0, 2);
    QSqlQuery zero(QSqlDatabase::database(user.connectionName()));
    QVERIFY(zero.exec(QStringLiteral("insert into TCategory(id, pid, name) values(0, 0, '零')")));
    user.addCourse(1, 1, 2, QStringLiteral("课程"), 1, true);
    user.addCourse(2, 1, 0, QStringLiteral("零号课程"), 1, true);

    CourseCategoryMgr tree(QStringLiteral("eve"), readLearningRecord);
    QTreeWidget widget;
    tree.buildTree(&widget);
    QCOMPARE(
        widget.findItems(QStringLiteral("子分类(1)"), Qt::MatchExactly | Qt::MatchRecursive).size(),
        1);
    QCOMPARE(widget.findItems(QStringLiteral("用户课程(1)"), Qt::MatchExactly).size(), 1);
}

void TestCategoryTree::installedOfficialCatalogue_data()
{
    QTest::addColumn<bool>("testCourses");
    QTest::newRow("官方课程") << false;
    QTest::newRow("测试课程") << true;
}

void TestCategoryTree::installedOfficialCatalogue()
{
    QFETCH(bool, testCourses);
    delete m_tree;
    m_tree = nullptr;
    TestRoot installed;
    if (!installed.stageInstallData(QStringLiteral("odata")))
        QSKIP("the installation data has not been built");
    CourseCategoryMgr tree(QStringLiteral("alice"), readLearningRecord);
    const int node = testCourses ? tree.testCoursesNodeId() : tree.officialCoursesNodeId();
    QVERIFY(node > 0);
    QTableView view;
    tree.showCourses(&view, node);
    auto *model = qobject_cast<MlBaseSqlQueryModel *>(view.model());
    QVERIFY(model);
    QVERIFY(model->rowCount() > 0);
    const int existColumn = model->record().indexOf(QStringLiteral("exist"));
    for (int row = 0; row < model->rowCount(); ++row) {
        const int id = model->courseIdAt(row);
        const bool onDisk = QFile::exists(tree.coursePath(id));
        QCOMPARE(model->data(model->index(row, existColumn)).toString(),
                 onDisk ? QStringLiteral("已安装") : QStringLiteral("未安装"));
        // An installed course can be studied.
        QCOMPARE(tree.isCourseAvailable(id), onDisk);
    }
}

// Without MEMORA_ROOT the catalogue and shipped courses stay in the program folder while a
// downloaded course lies in the data folder's own odata/course.
void TestCategoryTree::downloadedCourseFoundInDataFolder()
{
    QTemporaryDir xdg;
    const QByteArray savedXdg = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", xdg.path().toUtf8());
    setProgramFolder(m_root->path());
    qunsetenv("MEMORA_ROOT");
    const QString downloaded = xdg.path() + QStringLiteral("/memora/odata/course/13.db");
    QVERIFY(writeCourseFile(downloaded, numberedWords(30)));
    delete m_tree;
    m_tree = new CourseCategoryMgr(QStringLiteral("alice"), readLearningRecord);

    QTableView view;
    m_tree->showCourses(&view, nodeIdByName(QStringLiteral("官方课程")));
    auto *model = qobject_cast<MlBaseSqlQueryModel *>(view.model());
    // "exist|path|available" by file id.
    QMap<int, QString> byMid;
    for (int row = 0; model && row < model->rowCount(); ++row) {
        const int id = model->courseIdAt(row);
        byMid[m_tree->courseMid(id)] =
            QStringLiteral("%1|%2|%3")
                .arg(cell(model, row, QStringLiteral("exist")), m_tree->coursePath(id))
                .arg(m_tree->isCourseAvailable(id));
    }
    setProgramFolder(QString());
    qputenv("MEMORA_ROOT", m_root->path().toUtf8());
    qputenv("XDG_DATA_HOME", savedXdg);

    QCOMPARE(byMid.value(13),
             QStringLiteral("已安装|%1|1").arg(QDir::toNativeSeparators(downloaded)));
    // Shipped courses are still found in the program folder, missing ones nowhere.
    QCOMPARE(byMid.value(11),
             QStringLiteral("已安装|%1|1")
                 .arg(QDir::toNativeSeparators(m_root->filePath("/odata/course/11.db"))));
    QVERIFY(byMid.value(12).startsWith(QStringLiteral("未安装|")));
    QVERIFY(byMid.value(12).endsWith(QStringLiteral("|0")));
}

QTEST_MAIN(TestCategoryTree)
#include "tst_categorytree.moc"
