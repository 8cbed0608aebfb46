// Word-book import timings: a 20,000-item Youdao word book imported as a new user course
// and merged into that course again, through the import manager the import dialog uses,
// with the example-sentence look-up of every word.
#include "app/apppath.h"
#include "benchsupport.h"
#include "course/courseconvertmgr.h"
#include "testroot.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVector>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <sys/resource.h>

namespace {

const int kItems = 20000;
const int kRounds = 5;

QString word(int i)
{
    return QStringLiteral("word%1").arg(i);
}

// The example-sentence dictionary as installed: 40,000 words (every other one in the book).
bool writeSentences(const QString &path)
{
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "sentences");
        db.setDatabaseName(path);
        ok = db.open();
        QSqlQuery q(db);
        ok = ok &&
             q.exec("CREATE TABLE [TWORD] ([id] INTEGER PRIMARY KEY AUTOINCREMENT, "
                    "[word] TEXT NOT NULL, [phonetic] TEXT, [trans] TEXT, "
                    "[esentence] TEXT, [other] TEXT)") &&
             q.exec("CREATE UNIQUE INDEX [wu] ON [TWORD] ([word])");
        db.transaction();
        ok = ok && q.prepare("insert into TWORD(word, trans, esentence) values(?, '', ?)");
        for (int i = 0; ok && i < 2 * kItems; i += 2) {
            q.addBindValue(word(i));
            q.addBindValue(QStringLiteral("An example sentence that uses %1 once.").arg(word(i)));
            ok = q.exec();
        }
        db.commit();
    }
    QSqlDatabase::removeDatabase("sentences");
    return ok;
}

double peakRssMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

bool writeWordBook(const QString &path, int items = kItems)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<wordbook>\n");
    for (int i = 0; i < items; ++i) {
        file.write(QStringLiteral("<item>    <word>%1</word>\n    <trans><![CDATA[n. 释义 %2\nv. "
                                  "另一个释义]]></trans>\n    <phonetic><![CDATA[[fəˈnetɪk%2]]]>"
                                  "</phonetic>\n    <tags></tags>\n    <progress>1</progress>\n"
                                  "</item>\n")
                       .arg(word(i))
                       .arg(i)
                       .toUtf8());
    }
    file.write("</wordbook>\n");
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    TestRoot root;
    ensureAppDir(QStringLiteral("/odata"));
    ensureAppDir(QStringLiteral("/udata/course"));
    const QString book = root.filePath(QStringLiteral("/wordbook.xml"));
    const QString target = appPath(QStringLiteral("/udata/course/1.db"));
    if (!writeSentences(appPath(QStringLiteral("/odata/fullword.db"))) || !writeWordBook(book)) {
        std::fprintf(stderr, "bench_import: could not write the test data\n");
        return 1;
    }

    CourseConvertMgr mgr;
    QVector<double> newMs;
    QVector<double> mergeMs;
    QVector<double> newCpuMs;
    QVector<double> mergeCpuMs;
    for (int round = 0; round < kRounds; ++round) {
        QFile::remove(target);
        QElapsedTimer timer;
        timer.start();
        double cpu = cpuMs();
        const int words = mgr.startConvert(book, 0, target);
        newMs << timer.nsecsElapsed() / 1e6;
        newCpuMs << cpuMs() - cpu;
        timer.restart();
        cpu = cpuMs();
        const int merged = mgr.startMerge(book, 0, target);
        mergeMs << timer.nsecsElapsed() / 1e6;
        mergeCpuMs << cpuMs() - cpu;
        if (words != kItems || merged != kItems) {
            std::fprintf(stderr, "bench_import: imported %d, merged %d words\n", words, merged);
            return 1;
        }
    }
    printBench("import_20000_new_ms", median(newMs), "ms");
    printBench("import_20000_merge_ms", median(mergeMs), "ms");
    printBench("import_20000_new_cpu_ms", median(newCpuMs), "ms");
    printBench("import_20000_merge_cpu_ms", median(mergeCpuMs), "ms");

    // A 50 MB word book: the import's memory must not grow with the file.
    const QString bigBook = root.filePath(QStringLiteral("/big.xml"));
    if (!writeWordBook(bigBook, 250000))
        return 1;
    const double before = peakRssMb();
    const QString bigTarget = appPath(QStringLiteral("/udata/course/2.db"));
    const int bigWords = mgr.startConvert(bigBook, 0, bigTarget);
    std::fprintf(stderr, "bench_import: %lld bytes, %d words\n", QFile(bigBook).size(), bigWords);
    printBench("import_50mb_peak_rss_growth_mb", peakRssMb() - before, "MB");
    return 0;
}
