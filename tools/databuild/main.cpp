// memora_databuild: builds the trainer's installation databases from the text sources.
//
//   memora_databuild courses <catalogue.txt> <course folder> <odata folder> <stage folder>
//                            [block list]
//   memora_databuild fullword <wordnet folder> <block list> <fullword.db> [course word lists...]
//   memora_databuild tips <tips.txt> <learnskill.db>
//
// Every fault is printed as "file:line: message"; the exit code is 1 when any occurred.

#include "blocklist.h"
#include "coursesetbuilder.h"
#include "fullworddbbuilder.h"
#include "skilldbbuilder.h"
#include "wordlistreader.h"
#include "wordnetsentences.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

namespace {

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

int usage()
{
    err() << "usage: memora_databuild courses <catalogue> <course folder> <odata> <stage> "
             "[block list]\n"
             "       memora_databuild fullword <wordnet folder> <block list> <fullword.db> "
             "[word lists...]\n"
             "       memora_databuild tips <tips.txt> <learnskill.db>\n";
    return 2;
}

int buildCourses(const QStringList &args)
{
    if (args.size() != 4 && args.size() != 5)
        return usage();
    CourseSetBuilder builder(args.at(0), args.at(1), args.at(2), args.at(3), args.value(4));
    const bool ok = builder.build();
    for (const QString &warning : builder.warnings())
        err() << "warning: " << warning << "\n";
    for (const QString &error : builder.errors())
        err() << error << "\n";
    for (const QString &line : builder.summary())
        out() << line << "\n";
    return ok ? 0 : 1;
}

int buildFullWord(const QStringList &args)
{
    if (args.size() < 3)
        return usage();
    BlockList blockList;
    if (!blockList.read(args.at(1))) {
        for (const QString &error : blockList.errors())
            err() << error << "\n";
        return 1;
    }
    WordNetSentences wordnet;
    wordnet.setBlockList(&blockList);
    if (!wordnet.load(args.at(0))) {
        err() << wordnet.errorString() << "\n";
        return 1;
    }
    QMap<QString, QString> sentences = wordnet.pickSentences();
    const int fromWordNet = sentences.size();
    // Our own sentences are written for learners: they win over WordNet's.
    int fromCourses = 0;
    int newWords = 0;
    for (int i = 3; i < args.size(); ++i) {
        if (!QFile::exists(args.at(i)))
            continue;
        WordListReader reader;
        reader.setBlockList(&blockList);
        if (!reader.read(args.at(i))) {
            for (const QString &error : reader.errors())
                err() << error << "\n";
            return 1;
        }
        for (const CourseWord &w : reader.words()) {
            if (w.esentence.isEmpty())
                continue;
            if (!sentences.contains(w.word))
                ++newWords;
            ++fromCourses;
            sentences.insert(w.word, w.esentence);
        }
    }
    FullWordDBBuilder builder;
    if (!builder.build(args.at(2), sentences)) {
        err() << builder.errorString() << "\n";
        return 1;
    }
    out() << "fullword: " << sentences.size() << " words; " << fromWordNet
          << " sentences picked from " << wordnet.exampleCount() << " WordNet examples, "
          << fromCourses << " taken from the courses (" << newWords << " words WordNet lacks); "
          << wordnet.lemmaCount() - fromWordNet << " WordNet lemmas left without a sentence\n";
    return 0;
}

int buildTips(const QStringList &args)
{
    if (args.size() != 2)
        return usage();
    QFile file(args.at(0));
    if (!file.open(QIODevice::ReadOnly)) {
        err() << args.at(0) << ": cannot be read: " << file.errorString() << "\n";
        return 1;
    }
    const QStringList tips = SkillDBBuilder::parseTips(QString::fromUtf8(file.readAll()));
    if (tips.isEmpty()) {
        err() << args.at(0) << ": holds no tips\n";
        return 1;
    }
    SkillDBBuilder builder;
    if (!builder.build(args.at(1), tips)) {
        err() << builder.errorString() << "\n";
        return 1;
    }
    out() << "learnskill: " << tips.size() << " tips\n";
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return usage();
    const QString command = args.takeFirst();
    if (command == QLatin1String("courses"))
        return buildCourses(args);
    if (command == QLatin1String("fullword"))
        return buildFullWord(args);
    if (command == QLatin1String("tips"))
        return buildTips(args);
    return usage();
}
