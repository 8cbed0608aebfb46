// Study window figures on a 20,000-word course already studied (10,000 words due), through
// the real window, offscreen: opening it until its first word is painted, and the round
// trip from a grading key press to the first repainted panel, over the five keys of a drill
// (known well; remembered and right; forgotten and next). The figures are CPU time of the
// GUI thread (all work runs there), so that other programs on a busy machine do not count;
// the wall-clock figures follow as *_wall lines.

#include "app/settings.h"
#include "benchsupport.h"
#include "course/coursecategorymgr.h"
#include "course/mlbasesqlquerymodel.h"
#include "coursefixture.h"
#include "learn/learningrecordreader.h"
#include "learn/learnmgr.h"
#include "study/memora_mainwindow_study.h"
#include "study/memora_mainwindow_studyquestion.h"
#include "testroot.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableView>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

const int kWords = 20000;
const int kDue = 10000;
const int kOpens = 5;
const int kKeys = 1000;

void bench(const char *name, double value, const char *unit)
{
    std::printf("BENCH %s %.3f %s\n", name, value, unit);
    std::fflush(stdout);
}

double at(QList<double> samples, double q)
{
    std::sort(samples.begin(), samples.end());
    return samples.at(qMin(int(samples.size()) - 1, int(q * samples.size())));
}

// Notes when a widget of the study window is first painted after a key press.
class PaintWatch : public QObject
{
public:
    explicit PaintWatch(QWidget *window) : m_window(window) {}
    void arm(const QElapsedTimer *since)
    {
        m_since = since;
        paintedAfterNs = -1;
        paintedAtCpuNs = -1;
    }
    qint64 paintedAfterNs = -1;
    qint64 paintedAtCpuNs = -1;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && m_since && paintedAfterNs < 0 &&
            watched->isWidgetType() && static_cast<QWidget *>(watched)->window() == m_window) {
            paintedAfterNs = m_since->nsecsElapsed();
            paintedAtCpuNs = threadCpuNs();
        }
        return false;
    }

private:
    QWidget *m_window;
    const QElapsedTimer *m_since = nullptr;
};

int courseIdOf(CourseCategoryMgr &tree, const QString &name)
{
    QTableView view;
    tree.showCourses(&view, tree.officialCoursesNodeId());
    auto *model = qobject_cast<MlBaseSqlQueryModel *>(view.model());
    for (int row = 0; model && row < model->rowCount(); ++row)
        if (tree.courseName(model->courseIdAt(row)) == name)
            return model->courseIdAt(row);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    TestRoot root;
    g_pSettings = GlobalSettings::create();
    g_pSettings->setValue("Advanced/SysMode", 1);
    g_pSettings->setValue("Learn/AutoSpeak", false);

    const QString name = QStringLiteral("两万词课程");
    {
        CatalogueFixture catalogue(root.filePath("/odata/course/categorycourse.db"));
        const int top = catalogue.addCategory(0, QStringLiteral("官方课程"));
        catalogue.addCourse(1, 2, top, name, kWords, false);
    }
    QStringList words;
    for (int i = 1; i <= kWords; ++i)
        words << QStringLiteral("word%1|n. 释义%1；第二个意思%1").arg(i);
    if (!writeCourseFile(root.filePath("/odata/course/1.db"), words)) {
        std::fprintf(stderr, "cannot write the course\n");
        return 1;
    }
    CourseCategoryMgr tree(QStringLiteral("bench"), readLearningRecord);
    const int courseId = courseIdOf(tree, name);
    // A first session makes the record; half of the words are then in learning and due.
    delete new LearnMgr(QStringLiteral("bench"), courseId, &tree);
    const QString record = root.filePath("/udata/bench/o1.ldb");
    if (!runOnFile(record, {QStringLiteral("update TSTUDYWORD set STATE = 1, Step = 1, times = 2, "
                                           "LastTime = '2020-01-01 08:00:00.000' where WID <= %1")
                                .arg(kDue)})) {
        std::fprintf(stderr, "cannot prepare the record\n");
        return 1;
    }

    QList<double> opens;
    QList<double> opensWall;
    for (int i = 0; i < kOpens; ++i) {
        QElapsedTimer timer;
        timer.start();
        const qint64 cpu = threadCpuNs();
        auto *w =
            new Memora_MainWindow_Study(QStringLiteral("bench"), courseId, name, &tree, nullptr);
        w->repaint();
        opens << (threadCpuNs() - cpu) / 1e6;
        opensWall << timer.nsecsElapsed() / 1e6;
        if (w->nextWordResult() < 1) {
            std::fprintf(stderr, "no word to study\n");
            return 1;
        }
        w->close();
        delete w;
    }
    bench("study_open_ms", at(opens, 0.5), "ms");
    bench("study_open_ms_wall", at(opensWall, 0.5), "ms");

    auto *w = new Memora_MainWindow_Study(QStringLiteral("bench"), courseId, name, &tree, nullptr);
    QApplication::setActiveWindow(w);
    if (!QTest::qWaitForWindowActive(w))
        qWarning("bench_study: the study window did not become active");
    PaintWatch watch(w);
    app.installEventFilter(&watch);
    QCoreApplication::processEvents();
    const Qt::Key cycle[] = {Qt::Key_F1, Qt::Key_F2, Qt::Key_F1, Qt::Key_F4, Qt::Key_F1};
    QList<double> keys;
    QList<double> keysWall;
    int unpainted = 0;
    for (int i = 0; i < kKeys; ++i) {
        QElapsedTimer timer;
        timer.start();
        const qint64 cpu = threadCpuNs();
        watch.arm(&timer);
        QTest::keyClick(w, cycle[i % 5]);
        // The repaint the key scheduled happens when the event loop runs next.
        QCoreApplication::processEvents();
        if (watch.paintedAfterNs < 0) {
            ++unpainted;
            w->repaint();
        }
        keysWall << (watch.paintedAfterNs < 0 ? timer.nsecsElapsed() : watch.paintedAfterNs) / 1e6;
        keys << ((watch.paintedAtCpuNs < 0 ? threadCpuNs() : watch.paintedAtCpuNs) - cpu) / 1e6;
    }
    bench("study_key_to_paint_median", at(keys, 0.5), "ms");
    bench("study_key_to_paint_p95", at(keys, 0.95), "ms");
    bench("study_key_to_paint_median_wall", at(keysWall, 0.5), "ms");
    bench("study_key_to_paint_p95_wall", at(keysWall, 0.95), "ms");
    if (unpainted)
        std::fprintf(stderr, "%d key presses painted only on request\n", unpainted);
    app.removeEventFilter(&watch);
    w->close();
    delete w;
    delete g_pSettings;
    g_pSettings = nullptr;
    return 0;
}
