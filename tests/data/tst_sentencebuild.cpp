// The builders of the example-sentence dictionary and of the study tips: which WordNet
// example a word gets, and that the trainer's own readers find what was written.

#include "blocklist.h"
#include "course/fullworddb.h"
#include "fullworddbbuilder.h"
#include "skilldbbuilder.h"
#include "sqlitefile.h"
#include "testfiles.h"
#include "testroot.h"
#include "wordnetsentences.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A WordNet folder in miniature: the lamp has examples of its own, "glow" only one in
// another word's gloss, "stop" an inflected one, "wick" only a fragment; wood's first sense
// has a plainer example than its second; iron's only example belongs to a sense WordNet's
// texts never use; "hope" has one with broken punctuation; one example and the lemma
// "damn" are blocked. False when a file could not be written.
bool writeMiniWordNet(const QString &dir)
{
    bool ok = true;
    const QByteArray licence = "  1 This file is a test fixture.\n";
    ok &= TestFiles::write(
        dir + "/data.noun",
        licence + "00000100 06 n 01 lamp 0 000 | a source of light; \"she read by the lamp\"; "
                  "\"the old lamp on the desk was switched off at night\"\n"
                  "00000200 06 n 01 candle 0 000 | a stick of wax; \"a candle gave a soft glow in "
                  "the dark room\"\n"
                  "00000300 06 n 01 wick 0 000 | the cord of a candle; \"a long wick\"\n"
                  "00000600 06 n 01 wood 0 000 | the substance of trees; \"the table is made of "
                  "wood\"\n"
                  "00000700 06 n 01 wood 0 000 | a golf club; \"metal woods are now standard in "
                  "most golf bags\"\n"
                  "00000800 06 n 01 hope 0 000 | a wish; \"they never gave up hope of rescue:;\"; "
                  "\"hope keeps us going\"; \"hope is what kept the sailors going\"\n"
                  "00000900 06 n 01 curse 0 000 | an oath; \"damn was the only curse he ever "
                  "used\"; \"the old curse fell upon the house\"\n"
                  "00001000 06 n 01 damn 0 000 | a trifle; \"he did not care a damn about the "
                  "weather\"\n"
                  "00001100 06 n 01 iron 0 000 | a metal\n"
                  "00001200 06 n 01 iron 0 000 | a golf club; \"he hit the ball with a long iron "
                  "from the fairway\"\n");
    ok &= TestFiles::write(dir + "/index.noun", licence + "candle n 1 0 1 0 00000200  \n"
                                                          "curse n 1 0 1 0 00000900  \n"
                                                          "damn n 1 0 1 0 00001000  \n"
                                                          "hope n 1 0 1 0 00000800  \n"
                                                          "iron n 2 0 2 1 00001100 00001200  \n"
                                                          "lamp n 1 0 1 1 00000100  \n"
                                                          "wick n 1 0 1 0 00000300  \n"
                                                          "wood n 2 0 2 2 00000600 00000700  \n");
    ok &= TestFiles::write(dir + "/data.verb",
                           licence +
                               "00000400 30 v 01 glow 0 000 01 + 02 00 | shine softly\n"
                               "00000500 30 v 01 stop 0 000 01 + 02 00 | come to a halt; \"the bus "
                               "stopped right in front of our house\"; \"stop!\"\n");
    ok &= TestFiles::write(dir + "/index.verb",
                           licence + "glow v 1 0 1 0 00000400  \nstop v 1 0 1 5 00000500  \n");
    for (const char *part : {"adj", "adv"}) {
        ok &= TestFiles::write(dir + "/data." + part, licence);
        ok &= TestFiles::write(dir + "/index." + part, licence);
    }
    return ok && TestFiles::write(dir + "/verb.exc", "went go\n");
}

} // namespace

class tst_SentenceBuild : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void containsWholeWords_data();
    void containsWholeWords();
    void inflectionsOfLemmas_data();
    void inflectionsOfLemmas();
    void examplesBecomeSentences();
    void picksOneSentencePerLemma();
    void missingWordNetIsReported();
    void dictionaryAnswersTheTrainersLookUp();
    void tipsAreNumberedInFileOrder();
};

void tst_SentenceBuild::containsWholeWords_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("form");
    QTest::addColumn<bool>("found");

    QTest::newRow("at the start") << "lamps are bright"
                                  << "lamps" << true;
    QTest::newRow("at the end") << "turn on the lamp"
                                << "lamp" << true;
    QTest::newRow("before a possessive") << "the boy's bike"
                                         << "boy" << true;
    QTest::newRow("inside a word") << "a lampshade"
                                   << "lamp" << false;
    QTest::newRow("inside a hyphenated word") << "a well-known face"
                                              << "known" << false;
    QTest::newRow("second occurrence counts") << "cartoon of a car"
                                              << "car" << true;
    QTest::newRow("phrase") << "she gave up smoking"
                            << "gave up" << true;
}

void tst_SentenceBuild::containsWholeWords()
{
    QFETCH(QString, text);
    QFETCH(QString, form);
    QFETCH(bool, found);
    QCOMPARE(WordNetSentences::containsWord(text, form), found);
}

void tst_SentenceBuild::inflectionsOfLemmas_data()
{
    QTest::addColumn<QString>("lemma");
    QTest::addColumn<QString>("pos");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QStringList>("absent");

    QTest::newRow("regular verb") << "walk"
                                  << "v" << QStringList{"walk", "walks", "walked", "walking"}
                                  << QStringList{"walker"};
    QTest::newRow("doubling verb")
        << "stop"
        << "v" << QStringList{"stopped", "stopping"} << QStringList{"stoped"};
    QTest::newRow("verb in y") << "try"
                               << "v" << QStringList{"tries", "tried", "trying"}
                               << QStringList{"tryed"};
    QTest::newRow("verb in e") << "make"
                               << "v" << QStringList{"made", "making", "makes"}
                               << QStringList{"makeing"};
    QTest::newRow("noun in ch") << "church"
                                << "n" << QStringList{"churches"} << QStringList{"churched"};
    QTest::newRow("adjective") << "big"
                               << "a" << QStringList{"bigger", "biggest"} << QStringList{"bigs"};
    QTest::newRow("phrasal verb") << "give up"
                                  << "v" << QStringList{"gave up", "giving up"}
                                  << QStringList{"give ups"};
    QTest::newRow("noun ignores verb forms") << "may"
                                             << "n" << QStringList{"may"} << QStringList{"might"};
    QTest::newRow("compound noun") << "ice cream"
                                   << "n" << QStringList{"ice creams"} << QStringList{"ices cream"};
}

void tst_SentenceBuild::inflectionsOfLemmas()
{
    QFETCH(QString, lemma);
    QFETCH(QString, pos);
    QFETCH(QStringList, expected);
    QFETCH(QStringList, absent);
    const QHash<QString, QStringList> irregular{
        {"v:give", {"gave", "given"}}, {"v:make", {"made"}}, {"v:may", {"might"}}};
    const QStringList forms = WordNetSentences::inflections(lemma, pos, irregular);
    QCOMPARE(forms.first(), lemma);
    for (const QString &form : expected)
        QVERIFY2(forms.contains(form), qPrintable(form + " missing from " + forms.join(',')));
    for (const QString &form : absent)
        QVERIFY2(!forms.contains(form), qPrintable(form));
}

void tst_SentenceBuild::examplesBecomeSentences()
{
    QCOMPARE(WordNetSentences::asSentence("she read by the lamp"),
             QStringLiteral("She read by the lamp."));
    QCOMPARE(WordNetSentences::asSentence("  how fast does it go?"),
             QStringLiteral("How fast does it go?"));
    QCOMPARE(WordNetSentences::asSentence("the `n' in `thin'"),
             QStringLiteral("The 'n' in 'thin'."));
    for (const char *broken : {"We lived in fear:;.", "He said so,.", "Wait.. for it.",
                               "It ended (suddenly.", "\"Stop, he cried."})
        QVERIFY2(WordNetSentences::hasBrokenPunctuation(broken), broken);
    for (const char *sound : {"She read by the lamp.", "Really? Yes, really!",
                              "It (the lamp) "
                              "is old."})
        QVERIFY2(!WordNetSentences::hasBrokenPunctuation(sound), sound);
}

void tst_SentenceBuild::picksOneSentencePerLemma()
{
    QTemporaryDir dir;
    QVERIFY(writeMiniWordNet(dir.path()));
    BlockList blockList;
    QVERIFY(blockList.parse("damn\n", "block.txt"));
    WordNetSentences wordnet;
    wordnet.setBlockList(&blockList);
    QVERIFY2(wordnet.load(dir.path()), qPrintable(wordnet.errorString()));
    QCOMPARE(wordnet.exampleCount(), 15);
    const QMap<QString, QString> picked = wordnet.pickSentences();

    // Of its own two examples the lamp gets the one of a sentence's length.
    QCOMPARE(picked.value("lamp"),
             QStringLiteral("The old lamp on the desk was switched off at night."));
    // An inflected form counts; the one-word "stop!" is no example.
    QCOMPARE(picked.value("stop"), QStringLiteral("The bus stopped right in front of our house."));
    QCOMPARE(picked.value("candle"), QStringLiteral("A candle gave a soft glow in the dark room."));
    // The first sense wins over a rarer one with a sentence of nicer length.
    QCOMPARE(picked.value("wood"), QStringLiteral("The table is made of wood."));
    // Broken punctuation and fragments are no examples.
    QCOMPARE(picked.value("hope"), QStringLiteral("Hope is what kept the sailors going."));
    // A blocked word takes its sentence out, and a blocked lemma gets none.
    QCOMPARE(picked.value("curse"), QStringLiteral("The old curse fell upon the house."));
    // Glow has no example of its own and borrows none; "a long wick" is a fragment; the
    // golf club is too rare a sense of iron.
    QCOMPARE(picked.keys(), (QStringList{"candle", "curse", "hope", "lamp", "stop", "wood"}));
}

void tst_SentenceBuild::missingWordNetIsReported()
{
    QTemporaryDir dir;
    WordNetSentences wordnet;
    QVERIFY(!wordnet.load(dir.path() + "/nowhere"));
    QVERIFY(wordnet.errorString().contains("data.noun"));
}

void tst_SentenceBuild::dictionaryAnswersTheTrainersLookUp()
{
    TestRoot root;
    QVERIFY(QDir().mkpath(root.filePath("/odata")));
    FullWordDBBuilder builder;
    const QMap<QString, QString> sentences{{"lamp", "She read by the lamp."},
                                           {"o'clock", "It is six o'clock."}};
    QVERIFY2(builder.build(root.filePath("/odata/fullword.db"), sentences),
             qPrintable(builder.errorString()));

    FullWordDB dictionary;
    QCOMPARE(dictionary.getESentence("lamp"), QStringLiteral("She read by the lamp."));
    QCOMPARE(dictionary.getESentence("o'clock"), QStringLiteral("It is six o'clock."));
    QCOMPARE(dictionary.getESentence("wick"), QString());

    // Rebuilding replaces the old file instead of adding to it.
    FullWordDBBuilder again;
    QVERIFY(again.build(root.filePath("/odata/fullword.db"), {{"wick", "Trim the wick."}}));
    const QString file = root.filePath("/odata/fullword.db");
    QCOMPARE(peekValue(file, "select count(*) from TWORD").toInt(), 1);
    QCOMPARE(peekValue(file, "select count(*) from sqlite_master where type = 'index' and "
                             "tbl_name = 'TWORD'")
                 .toInt(),
             1);
}

void tst_SentenceBuild::tipsAreNumberedInFileOrder()
{
    const QStringList tips = SkillDBBuilder::parseTips(
        "# heading\n\n先复习，再学新词。\n  每天坚持十五分钟。  \n第一行\\n第二行\n");
    QCOMPARE(tips, (QStringList{"先复习，再学新词。", "每天坚持十五分钟。", "第一行\n第二行"}));

    QTemporaryDir dir;
    SkillDBBuilder builder;
    QVERIFY(builder.build(dir.path() + "/learnskill.db", tips));
    QCOMPARE(
        peekRows(dir.path() + "/learnskill.db", "select id || ':' || info from TSkill order by id"),
        (QStringList{"1:先复习，再学新词。", "2:每天坚持十五分钟。", "3:第一行\n第二行"}));
}

QTEST_GUILESS_MAIN(tst_SentenceBuild)
#include "tst_sentencebuild.moc"
