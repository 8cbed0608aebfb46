// Start-up of the real trainer as a learner meets it: from starting the program to its main
// window shown, with the shipped data and a learner who has five learning records, one of
// them on a 20,000-word course that the home page selects. Also the memory the trainer then
// holds (proportional set size).
#include "app/apppath.h"
#include "app/singleapplication.h"
#include "app/startup.h"
#include "benchsupport.h"
#include "course/coursecategorymgr.h"
#include "course/coursedb.h"
#include "course/ucategorycoursedb.h"
#include "learn/learningrecordreader.h"
#include "learn/learnmgr.h"
#include "processobjects.h"
#include "testroot.h"
#include "user/usermgr.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QThread>
#include <QVector>

#include <algorithm>
#include <cstdio>

namespace {

const QString kUser = QStringLiteral("bench");

bool makeUserCourse(UCategoryCourseDB &catalogue, const QString &name, int words)
{
    const int mid = catalogue.addCourse(1, name);
    if (mid <= 0)
        return false;
    CourseDB course(appPath(QStringLiteral("/udata/course/%1.db").arg(mid)));
    course.createTables();
    QSqlDatabase db = QSqlDatabase::database(course.connectionName());
    db.transaction();
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral("insert into TWORD(word, phonetic, trans, esentence, other) "
                                  "values(?, 'ˈwɜːd', 'n. 单词', 'A sentence.', '')"));
    for (int i = 0; i < words; ++i) {
        insert.addBindValue(
            QStringLiteral("%1word%2").arg(name.left(1)).arg(i, 5, 10, QLatin1Char('0')));
        insert.exec();
    }
    db.commit();
    catalogue.setWordCount(mid, words);
    return true;
}

// A learning record for every course of the user (made by a short session each).
void studyEveryCourse()
{
    CourseCategoryMgr tree(kUser, readLearningRecord);
    QSqlQuery query(QSqlDatabase::database(QLatin1String(CourseCategoryMgr::kConnectionName)));
    query.exec(QStringLiteral("select distinct id, name from TTableCourseInfo where cid = 0"));
    QList<int> ids;
    while (query.next())
        ids << query.value(0).toInt();
    for (int id : ids) {
        if (!tree.isCourseAvailable(id))
            continue;
        LearnMgr session(kUser, id, &tree);
        session.nextWord();
    }
}

QByteArray readLog(const QString &root)
{
    QFile file(root + QStringLiteral("/memora.log"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

double pssMiB(qint64 pid)
{
    QFile file(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QRegularExpression pss(QStringLiteral("^Pss:\\s+(\\d+) kB"),
                                 QRegularExpression::MultilineOption);
    const auto match = pss.match(QString::fromLatin1(file.readAll()));
    return match.hasMatch() ? match.captured(1).toDouble() / 1024.0 : -1;
}

void sendClose()
{
    QLocalSocket socket;
    socket.connectToServer(SingleApplication::socketName(QStringLiteral("ferncove memora")));
    if (socket.waitForConnected(2000)) {
        socket.write("Close\n");
        socket.waitForBytesWritten(2000);
    }
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TestRoot root;
    root.stageInstallData(QStringLiteral("odata"));
    root.stageInstallData(QStringLiteral("images"));
    QDir().mkpath(root.filePath(QStringLiteral("/udata/course")));
    ProcessObjects::create();
    {
        UCategoryCourseDB catalogue;
        makeUserCourse(catalogue, QStringLiteral("Large course"), 20000);
        makeUserCourse(catalogue, QStringLiteral("Book one"), 2000);
        makeUserCourse(catalogue, QStringLiteral("Book two"), 2000);
    }
    studyEveryCourse();
    g_pUserMgr->logInSystemUser(kUser);
    {
        QSettings settings(root.filePath(QStringLiteral("/udata/gconfig.ini")),
                           QSettings::IniFormat);
        settings.setValue(QStringLiteral("Common/AutoUpdate"), false);
        settings.setValue(QStringLiteral("Common/SendStatistics"), false);
    }
    ProcessObjects::destroy();
    const int records = QDir(root.filePath(QStringLiteral("/udata/") + kUser))
                            .entryList({QStringLiteral("*.ldb")})
                            .size();
    std::printf("# %d learning records\n", records);

    QVector<double> times;
    double pss = -1;
    for (int run = 0; run < 10; ++run) {
        QFile::remove(root.filePath(QStringLiteral("/memora.log")));
        QProcess trainer;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("USER"), kUser);
        env.insert(QStringLiteral("USERNAME"), kUser);
        env.insert(QStringLiteral("MEMORA_ROOT"), root.path());
        trainer.setProcessEnvironment(env);
        QElapsedTimer timer;
        timer.start();
        trainer.start(TestRoot::buildBinDir() + QStringLiteral("/memora"), {});
        bool shown = false;
        while (timer.elapsed() < 20000) {
            if (readLog(root.path()).contains("主界面已显示")) {
                shown = true;
                break;
            }
            QThread::usleep(500);
        }
        if (shown)
            times << timer.nsecsElapsed() / 1e6;
        if (run == 0) {
            QThread::msleep(1500); // let the window settle before measuring memory
            pss = pssMiB(trainer.processId());
        }
        sendClose();
        if (!trainer.waitForFinished(10000))
            trainer.kill();
    }
    std::sort(times.begin(), times.end());
    if (!times.isEmpty())
        printBench("startup_to_window_ms", times.at(times.size() / 2), "ms");
    printBench("startup_pss_mib", pss, "MiB");
    return times.size() == 10 ? 0 : 1;
}
