// Reading the figures of the home page charts for a learner with 10 records of 2,000 words
// each (half of them in learning, a session a day over the last 60 days), the way the home
// page reads them: every record for the activity, the selected one for the forecast and
// the standing. Also the read with no course selected (forecast over every record).

#include "benchsupport.h"
#include "course/coursedb.h"
#include "learn/learnchartdata.h"
#include "learn/learncoursedb.h"
#include "testroot.h"
#include "ui/memora_homechartpanel.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>

#include <algorithm>
#include <cstdio>

namespace {

const int kRecords = 10;
const int kWords = 2000;
const int kRuns = 20;

void bench(const char *name, double value, const char *unit)
{
    std::printf("BENCH %s %.3f %s\n", name, value, unit);
    std::fflush(stdout);
}

double medianMs(QList<qint64> samples)
{
    std::sort(samples.begin(), samples.end());
    return samples.at(samples.size() / 2) / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TestRoot root;
    const QString coursePath = root.filePath("/odata/course/1.db");
    makeNumberedCourse(coursePath, kWords);
    const QList<int> points = {300, 1800, 43200, 86400, 172800, 345600, 604800, 1296000};
    QRandomGenerator random(20261207);
    const QDateTime now = QDateTime::currentDateTime();
    QString selected;
    for (int r = 1; r <= kRecords; ++r) {
        const QString path = root.filePath(QStringLiteral("/udata/bench/o%1.ldb").arg(r));
        CourseDB course(coursePath);
        LearnCourseDB record(path, [&course] { return course.wordIds(); });
        record.exec("BEGIN");
        for (int wid = 1; wid <= kWords / 2; ++wid) {
            const int step = int(random.bounded(8));
            record.exec(QStringLiteral("update TSTUDYWORD set STATE = 1, Step = %1, Fp = %2, "
                                       "times = 1, LastTime = '%3' where WID = %4")
                            .arg(step)
                            .arg(points.at(step))
                            .arg(now.addSecs(-random.bounded(2 * points.at(step)))
                                     .toString("yyyy-MM-dd HH:mm:ss.zzz"))
                            .arg(wid));
        }
        for (int day = 0; day < 60; ++day)
            record.addUseLog(now.addDays(-day), 600, 20, 50, 5, 0);
        record.exec("COMMIT");
        if (r == 1)
            selected = path;
    }

    LearnChartData data(QStringLiteral("bench"));
    QList<qint64> withCourse, allCourses;
    QElapsedTimer timer;
    for (int i = 0; i < kRuns; ++i) {
        timer.start();
        data.refresh(selected);
        withCourse << timer.nsecsElapsed();
        timer.start();
        data.refresh();
        allCourses << timer.nsecsElapsed();
    }
    if (data.activityNew().last() != 20 * kRecords) {
        std::fprintf(stderr, "unexpected figures\n");
        return 1;
    }
    bench("charts_data_ms", medianMs(withCourse), "ms");
    bench("charts_data_all_courses_ms", medianMs(allCourses), "ms");

    Memora_HomeChartPanel panel(QStringLiteral("bench"));
    panel.resize(420, 200);
    panel.show();
    QList<qint64> panelRefresh;
    for (int i = 0; i < kRuns; ++i) {
        timer.start();
        panel.refresh(selected);
        app.processEvents();
        panelRefresh << timer.nsecsElapsed();
    }
    bench("charts_panel_refresh_ms", medianMs(panelRefresh), "ms");
    return 0;
}
