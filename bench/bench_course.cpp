// Course library timings: building the category tree of a well-stocked user, and starting a
// study session on a large course (first time, when the record is made, and later).
#include "app/apppath.h"
#include "benchsupport.h"
#include "course/coursecategorymgr.h"
#include "course/mlbasesqlquerymodel.h"
#include "coursefixture.h"
#include "learn/learningrecordreader.h"
#include "learn/learnmgr.h"
#include "testroot.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTableView>
#include <QTreeWidget>
#include <QVector>

#include <algorithm>
#include <cstdio>

namespace {

const QString kUser = QStringLiteral("bench");

// 60 official courses in 8 categories, 20 user courses, 30 learning records of 2,000 words.
void stockLibrary(const TestRoot &root)
{
    CatalogueFixture official(root.filePath(QStringLiteral("/odata/course/categorycourse.db")));
    QList<int> categories;
    const int top = official.addCategory(0, QStringLiteral("官方课程"));
    categories << top;
    categories << official.addCategory(0, QStringLiteral("测试课程"));
    for (int i = 0; i < 4; ++i)
        categories << official.addCategory(top, QStringLiteral("官方分类 %1").arg(i + 1));
    categories << official.addCategory(categories.at(2), QStringLiteral("深层分类 A"));
    categories << official.addCategory(categories.at(3), QStringLiteral("深层分类 B"));
    for (int mid = 1; mid <= 60; ++mid) {
        official.addCourse(mid, 2, categories.at(mid % categories.size()),
                           QStringLiteral("Official course %1").arg(mid), 2000, false);
        if (mid % 2 == 0)
            writeCourseFile(root.filePath(QStringLiteral("/odata/course/%1.db").arg(mid)),
                            numberedWords(10));
    }

    CatalogueFixture user(root.filePath(QStringLiteral("/udata/course/categorycourse.db")));
    user.addCategory(0, QStringLiteral("用户课程"), 0, 1);
    const int mine = user.addCategory(1, QStringLiteral("Tom's words"));
    for (int mid = 1; mid <= 20; ++mid)
        user.addCourse(mid, 1, mid % 2 ? 1 : mine, QStringLiteral("User course %1").arg(mid), 2000,
                       true);

    QList<StudyWordRow> words = newWords(2000);
    for (int i = 0; i < words.size(); ++i) {
        StudyWordRow &w = words[i];
        w.state = i % 3;
        w.step = w.state == 1 ? i % 8 : 0;
        w.dLevel = i % 5;
        w.times = w.state == 0 ? 0 : 1 + i % 4;
        w.fp = 300;
        if (w.state != 0)
            w.lastTime = QStringLiteral("2024-01-01 10:00:00.000");
    }
    for (int i = 1; i <= 30; ++i) {
        const QString name =
            i <= 20 ? QStringLiteral("o%1.ldb").arg(i * 2) : QStringLiteral("u%1.ldb").arg(i - 20);
        writeLearnRecord(root.filePath(QStringLiteral("/udata/%1/%2").arg(kUser, name)), words);
    }
}

void benchTree()
{
    TestRoot root;
    stockLibrary(root);
    QVector<double> times;
    int nodes = 0;
    for (int run = 0; run < 7; ++run) {
        QTreeWidget tree;
        QTableView view;
        QElapsedTimer timer;
        timer.start();
        CourseCategoryMgr mgr(kUser, readLearningRecord);
        mgr.buildTree(&tree);
        mgr.showCourses(&view, mgr.learningNodeId());
        times << timer.nsecsElapsed() / 1e6;
        nodes = tree.topLevelItemCount();
    }
    if (nodes != 4)
        std::fprintf(stderr, "unexpected tree: %d top-level nodes\n", nodes);
    printBench("course_tree_build", median(times), "ms");
}

// LearnMgr start on a 20,000-word official course: construction (record made and filled on
// the first study, used as it is later, then copied into memory) and the first word.
void benchLearnMgrStart()
{
    TestRoot root;
    CatalogueFixture official(root.filePath(QStringLiteral("/odata/course/categorycourse.db")));
    const int top = official.addCategory(0, QStringLiteral("官方课程"));
    official.addCourse(900, 2, top, QStringLiteral("Big course"), 20000, true);
    writeCourseFile(root.filePath(QStringLiteral("/odata/course/900.db")), numberedWords(20000));
    const QString record = root.filePath(QStringLiteral("/udata/%1/o900.ldb").arg(kUser));

    CourseCategoryMgr tree(kUser, readLearningRecord);
    QTableView view;
    tree.showCourses(&view, tree.officialCoursesNodeId());
    auto *model = qobject_cast<MlBaseSqlQueryModel *>(view.model());
    const int courseId = model && model->rowCount() > 0 ? model->courseIdAt(0) : 0;

    QVector<double> first;
    QVector<double> later;
    int word = 0;
    for (int run = 0; run < 5; ++run) {
        QFile::remove(record);
        QElapsedTimer timer;
        timer.start();
        {
            LearnMgr mgr(kUser, courseId, &tree);
            word = mgr.nextWord();
            first << timer.nsecsElapsed() / 1e6;
        }
        for (int again = 0; again < 2; ++again) {
            timer.restart();
            LearnMgr mgr(kUser, courseId, &tree);
            word = mgr.nextWord();
            later << timer.nsecsElapsed() / 1e6;
        }
    }
    if (word != 1)
        std::fprintf(stderr, "unexpected first word %d\n", word);
    printBench("learnmgr_start_first", median(first), "ms");
    printBench("learnmgr_start_later", median(later), "ms");
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The library logs every missing file and skipped record; keep the output to the figures.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    benchTree();
    benchLearnMgrStart();
    return 0;
}
