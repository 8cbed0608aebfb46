// Learning engine figures on a 20,000-word course with 10,000 words in learning:
// creating the record (fill), the in-memory copy, the draw + grade cycle (with its
// periodic write-backs), a draw when nothing is due, the end of the session, and the
// replay of 5,000 journal statements; then the cycle as the study window runs it, through
// the learning manager with the log handler writing to its file.

#include "app/messagelog.h"
#include "benchsupport.h"
#include "course/coursecategorymgr.h"
#include "course/coursedb.h"
#include "coursefixture.h"
#include "learn/freelearnmethod.h"
#include "learn/learncodes.h"
#include "learn/learncoursedb.h"
#include "learn/learningrecordreader.h"
#include "learn/learnmethodfactory.h"
#include "learn/learnmgr.h"
#include "learn/learnsetmgr.h"
#include "testroot.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>

namespace {

const int kWords = 20000;
const int kLearning = 10000;
const int kCycles = 1000;
const int kReplayStatements = 5000;

void bench(const char *name, double value, const char *unit)
{
    std::printf("BENCH %s %.3f %s\n", name, value, unit);
    std::fflush(stdout);
}

double ms(qint64 ns)
{
    return ns / 1e6;
}

// Median, 95th percentile and worst of the samples (nanoseconds), in ms.
void report(const char *prefix, QList<qint64> samples)
{
    if (samples.isEmpty())
        return;
    std::sort(samples.begin(), samples.end());
    const auto at = [&](double q) {
        return samples.at(qMin(int(samples.size()) - 1, int(q * samples.size())));
    };
    bench(QByteArray(prefix).append("_median").constData(), ms(at(0.5)), "ms");
    bench(QByteArray(prefix).append("_p95").constData(), ms(at(0.95)), "ms");
    bench(QByteArray(prefix).append("_worst").constData(), ms(samples.last()), "ms");
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    TestRoot root;
    const QString coursePath = root.filePath("/odata/course/1.db");
    const QString recordPath = root.filePath("/udata/bench/o1.ldb");
    const QString referencePath = root.filePath("/udata/bench/reference.ldb");
    makeNumberedCourse(coursePath, kWords);

    // Creating the record: 20,000 new rows.
    QElapsedTimer timer;
    timer.start();
    {
        CourseDB course(coursePath);
        LearnCourseDB record(recordPath, [&course] { return course.wordIds(); });
        if (record.totalWords() != kWords) {
            std::fprintf(stderr, "fill failed\n");
            return 1;
        }
    }
    const qint64 fillNs = timer.nsecsElapsed();

    // Half the course in learning, spread over the eight steps; about half of those due.
    const QList<int> points = {300, 1800, 43200, 86400, 172800, 345600, 604800, 1296000};
    QRandomGenerator random(20240601);
    QStringList setup;
    const QDateTime now = QDateTime::currentDateTime();
    for (int id = 1; id <= kLearning; ++id) {
        const int step = int(random.bounded(8));
        const qint64 age = random.bounded(qint64(2) * points.at(step));
        setup << QStringLiteral("update TSTUDYWORD set STATE = 1, Step = %1, Fp = %2, times = %3, "
                                "DLevel = %4, LastTime = '%5' where ID = %6")
                     .arg(step)
                     .arg(points.at(step))
                     .arg(1 + step + int(random.bounded(4)))
                     .arg(int(random.bounded(5)))
                     .arg(now.addSecs(-age).toString("yyyy-MM-dd HH:mm:ss.zzz"))
                     .arg(id);
    }
    if (!runOnFile(recordPath, setup) || !QFile::copy(recordPath, referencePath)) {
        std::fprintf(stderr, "setup failed\n");
        return 1;
    }

    CourseDB course(coursePath);
    LearnCourseDB file(recordPath, [&course] { return course.wordIds(); });
    LearnSetMgr settings(&file);
    std::unique_ptr<LearnMethodBase> method(createLearnMethod(settings));
    timer.restart();
    method->attach(&file);
    const qint64 copyNs = timer.nsecsElapsed();
    bench("learn_fill_20000_ms", ms(fillNs), "ms");
    bench("learn_copy_20000_ms", ms(copyNs), "ms");
    bench("learn_fill_plus_copy_ms", ms(fillNs + copyNs), "ms");

    // The draw + grade cycle, in the ways the study panels allow.
    struct Way
    {
        int grade;
        int check;
        bool next;
    };
    const Way ways[] = {{LearnCode::Plain, LearnCode::Right, false},
                        {LearnCode::Plain, LearnCode::Error, true},
                        {LearnCode::Dim, LearnCode::Right, false},
                        {LearnCode::Dim, LearnCode::Error, true},
                        {LearnCode::Oblivious, 0, true},
                        {LearnCode::Unknown, 0, true},
                        {LearnCode::KnowWell, 0, false},
                        {LearnCode::Plain, LearnCode::Right, false}};
    QList<qint64> cycles;
    QList<qint64> cyclesCpu;
    QList<qint64> writeBackCycles;
    int due = 0;
    for (int i = 0; i < kCycles; ++i) {
        const Way &way = ways[random.bounded(int(sizeof(ways) / sizeof(ways[0])))];
        const bool writes = static_cast<FreeLearnMethod *>(method.get())->unwrittenGradings() >=
                            FreeLearnMethod::kWriteBackEvery;
        const qint64 cpu = threadCpuNs();
        timer.restart();
        method->resetWordState();
        const int wid = method->nextWord();
        if (wid > 0) {
            method->answerAsk(way.grade);
            if (way.check)
                method->answerConfirm(way.check);
            if (way.next)
                method->answerLearn(LearnCode::Next);
        }
        const qint64 ns = timer.nsecsElapsed();
        cyclesCpu << threadCpuNs() - cpu;
        cycles << ns;
        if (writes)
            writeBackCycles << ns;
        if (wid <= 0) {
            std::fprintf(stderr, "draw ended: %d\n", wid);
            return 1;
        }
    }
    due = method->oldWordCount();
    report("learn_cycle", cycles);
    report("learn_cycle_cpu", cyclesCpu);
    report("learn_cycle_with_writeback", writeBackCycles);
    bench("learn_cycle_due_words", due, "words");
    bench("learn_cycle_new_words", method->newWordCount(), "words");

    // Nothing due: every word in learning graded just now, so a draw scans them all.
    const QStringList journal = method->recordStore()->journal();
    {
        QSqlDatabase copy = QSqlDatabase::database(method->recordStore()->connectionName());
        QSqlQuery query(copy);
        query.exec(QStringLiteral("update TSTUDYWORD set LastTime = '%1' where STATE = 1")
                       .arg(QDateTime::currentDateTime().toString("yyyy-MM-dd HH:mm:ss.zzz")));
    }
    QList<qint64> idleDraws;
    for (int i = 0; i < 100; ++i) {
        timer.restart();
        method->resetWordState();
        method->nextWord();
        idleDraws << timer.nsecsElapsed();
    }
    report("learn_draw_nothing_due", idleDraws);

    // The end of the session: the statements not yet written, then the file back on the
    // rollback journal.
    timer.restart();
    method.reset();
    bench("learn_session_end_ms", ms(timer.nsecsElapsed()), "ms");

    // Replaying 5,000 journal statements onto the record as it was before the session.
    {
        LearnCourseDB reference(referencePath);
        const QStringList statements = journal.mid(0, kReplayStatements);
        timer.restart();
        const bool ok = reference.replay(statements);
        const qint64 ns = timer.nsecsElapsed();
        if (!ok || statements.size() != kReplayStatements) {
            std::fprintf(stderr, "replay failed (%d statements)\n", int(statements.size()));
            return 1;
        }
        bench("learn_replay_5000_ms", ms(ns), "ms");
    }

    // The study window's cycle: nextWord, currentWord, the answers, with durable write-backs
    // every ten gradings and every debug line written to the log file.
    {
        CatalogueFixture catalogue(root.filePath("/odata/course/categorycourse.db"));
        const int top = catalogue.addCategory(0, QStringLiteral("官方课程"));
        catalogue.addCourse(1, 2, top, QStringLiteral("两万词"), kWords, true);
    }
    CourseCategoryMgr tree(QStringLiteral("bench"), readLearningRecord);
    int courseId = 0;
    for (int id = 1; id < 1000 && !courseId; ++id)
        if (tree.courseMid(id) == 1 && tree.courseType(id) == CourseCategoryMgr::OfficialCourses)
            courseId = id;
    qInstallMessageHandler(messageHandler);
    QList<qint64> mgrCycles;
    QList<qint64> mgrCyclesCpu;
    int mgrSaved = 0;
    {
        LearnMgr mgr(QStringLiteral("bench"), courseId, &tree);
        for (int i = 0; i < kCycles; ++i) {
            const Way &way = ways[random.bounded(int(sizeof(ways) / sizeof(ways[0])))];
            const qint64 cpu = threadCpuNs();
            timer.restart();
            const int wid = mgr.nextWord();
            const bool shown =
                !mgr.currentWord().value(QStringLiteral("word")).toString().isEmpty();
            if (wid > 0) {
                mgr.answerAsk(way.grade);
                if (way.check)
                    mgr.answerConfirm(way.check);
                if (way.next)
                    mgr.answerLearn(LearnCode::Next);
            }
            mgrCycles << timer.nsecsElapsed();
            mgrCyclesCpu << threadCpuNs() - cpu;
            mgrSaved += mgr.gradingsSaved() ? 1 : 0;
            if (wid <= 0 || !shown) {
                qInstallMessageHandler(nullptr);
                std::fprintf(stderr, "learning manager draw ended: %d\n", wid);
                return 1;
            }
        }
    }
    qInstallMessageHandler(nullptr);
    report("learnmgr_cycle", mgrCycles);
    report("learnmgr_cycle_cpu", mgrCyclesCpu);
    bench("learnmgr_cycle_saved", mgrSaved, "cycles");
    return 0;
}
