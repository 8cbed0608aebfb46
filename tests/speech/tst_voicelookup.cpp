#include "app/settings.h"
#include "fakesynthesizer.h"
#include "logcapture.h"
#include "recordingplayer.h"
#include "speech/speakrealpeoplevoice.h"
#include "testroot.h"

#include <QSettings>
#include <QtTest>

#include <memory>

// Library layouts are written as lists of paths below the test root: a path ending in "/"
// is an (empty) folder, any other path a sound file. "$ROOT" stands for the test root.
class TestVoiceLookup : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void findVoiceFile_data();
    void findVoiceFile();
    void lookupKeepsCurrentFolder();
    void foldersAreReadOnceAtConstruction();
    void speakPlaysFoundFile();
    void speakRefusesEmptyWord();
    void missingWordFallsBackToFirstVoiceAtFullVolume();
    void missingWordWithoutVoicesIsNotHeard();

private:
    QString expand(QString text) const
    {
        return text.replace(QStringLiteral("$ROOT"), m_root->path());
    }
    void buildLibrary(const QStringList &entries);

    std::unique_ptr<TestRoot> m_root;
};

void TestVoiceLookup::init()
{
    m_root = std::make_unique<TestRoot>();
    QVERIFY(m_root->isValid());
    g_pSettings = GlobalSettings::create();
}

void TestVoiceLookup::cleanup()
{
    SpeechSynthesizer::setFactory({});
    delete g_pSettings;
    g_pSettings = nullptr;
    m_root.reset();
}

void TestVoiceLookup::buildLibrary(const QStringList &entries)
{
    for (const QString &entry : entries) {
        const QString path = m_root->filePath(QLatin1Char('/') + entry);
        if (entry.endsWith(QLatin1Char('/'))) {
            QVERIFY(QDir().mkpath(path));
            continue;
        }
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("RIFF");
    }
}

void TestVoiceLookup::findVoiceFile_data()
{
    QTest::addColumn<QStringList>("library");
    QTest::addColumn<QString>("voicePath");
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("expected");

    QTest::newRow("second folder wins, upper-case letter folder and file")
        << QStringList{"lib1/a/apple1.mp3", "lib1/a/banana.mp3", "lib2/A/APPLE.MP3"}
        << "$ROOT/lib1|$ROOT/lib2"
        << "aPPle"
        << "$ROOT/lib2/A/APPLE.MP3";
    QTest::newRow("first folder that has the word wins")
        << QStringList{"lib1/a/apple.wav", "lib2/a/apple.mp3"} << "$ROOT/lib1|$ROOT/lib2"
        << "apple"
        << "$ROOT/lib1/a/apple.wav";
    QTest::newRow("order of the list decides")
        << QStringList{"lib1/a/apple.wav", "lib2/a/apple.mp3"} << "$ROOT/lib2|$ROOT/lib1"
        << "apple"
        << "$ROOT/lib2/a/apple.mp3";
    QTest::newRow("digit-initial word")
        << QStringList{"lib1/3/3d.mp3", "lib1/d/3d.mp3"} << "$ROOT/lib1"
        << "3D"
        << "$ROOT/lib1/3/3d.mp3";
    QTest::newRow("word followed by a digit is another word")
        << QStringList{"lib1/a/apple1.mp3", "lib1/a/apple2.mp3"} << "$ROOT/lib1"
        << "apple"
        << "no word";
    QTest::newRow("names containing the word are not the word")
        << QStringList{"lib1/a/a.mp3", "lib1/p/pineapple.mp3", "lib1/a/xapple.mp3"} << "$ROOT/lib1"
        << "apple"
        << "no find";
    QTest::newRow("letter folder without files")
        << QStringList{"lib1/a/", "lib1/b/bee.mp3"} << "$ROOT/lib1"
        << "apple"
        << "no find";
    QTest::newRow("no letter folder anywhere")
        << QStringList{"lib1/b/bee.mp3", "lib2/c/cat.mp3"} << "$ROOT/lib1|$ROOT/lib2"
        << "apple"
        << "";
    QTest::newRow("missing library folder")
        << QStringList{"lib2/a/apple.mp3"} << "$ROOT/nothing-here|$ROOT/lib2"
        << "apple"
        << "$ROOT/lib2/a/apple.mp3";
    QTest::newRow("later failure is reported")
        << QStringList{"lib1/a/apple1.mp3", "lib2/a/"} << "$ROOT/lib1|$ROOT/lib2"
        << "apple"
        << "no find";
    QTest::newRow("no folder configured") << QStringList{"lib1/a/apple.mp3"} << ""
                                          << "apple"
                                          << "no path";
    QTest::newRow("only empty entries") << QStringList{"lib1/a/apple.mp3"} << "||"
                                        << "apple"
                                        << "no path";
    QTest::newRow("empty entries are skipped") << QStringList{"lib1/a/apple.mp3"} << "|$ROOT/lib1|"
                                               << "apple"
                                               << "$ROOT/lib1/a/apple.mp3";
    QTest::newRow("extension taken from the first file")
        << QStringList{"lib1/a/aardvark.wav", "lib1/a/apple.mp3"} << "$ROOT/lib1"
        << "apple"
        << "no word";
}

void TestVoiceLookup::findVoiceFile()
{
    QFETCH(QStringList, library);
    QFETCH(QString, voicePath);
    QFETCH(QString, word);
    QFETCH(QString, expected);
    buildLibrary(library);
    GlobalSettings::setValue(g_pSettings, QStringLiteral("Learn/VoicePath"), expand(voicePath));
    SpeakRealPeopleVoice engine;
    QCOMPARE(engine.findVoiceFile(word), expand(expected));
}

void TestVoiceLookup::lookupKeepsCurrentFolder()
{
    buildLibrary({"lib1/a/apple.mp3"});
    GlobalSettings::setValue(g_pSettings, QStringLiteral("Learn/VoicePath"), expand("$ROOT/lib1"));
    const QString before = QDir::currentPath();
    SpeakRealPeopleVoice engine;
    QVERIFY(!engine.findVoiceFile(QStringLiteral("apple")).isEmpty());
    QCOMPARE(QDir::currentPath(), before);
}

void TestVoiceLookup::foldersAreReadOnceAtConstruction()
{
    buildLibrary({"lib1/a/apple.mp3", "lib2/a/apple.mp3"});
    GlobalSettings::setValue(g_pSettings, QStringLiteral("Learn/VoicePath"),
                             expand("$ROOT/lib1|$ROOT/lib2"));
    SpeakRealPeopleVoice engine;
    QCOMPARE(engine.voicePaths(), QStringList({expand("$ROOT/lib1"), expand("$ROOT/lib2")}));
    GlobalSettings::setValue(g_pSettings, QStringLiteral("Learn/VoicePath"), expand("$ROOT/lib2"));
    QCOMPARE(engine.findVoiceFile(QStringLiteral("apple")), expand("$ROOT/lib1/a/apple.mp3"));
}

void TestVoiceLookup::speakPlaysFoundFile()
{
    buildLibrary({"lib1/a/apple1.mp3", "lib2/A/APPLE.MP3"});
    RecordingPlayer recorder(m_root->path());
    QVERIFY(recorder.isValid());
    GlobalSettings::setValue(g_pSettings, QStringLiteral("Learn/VoicePath"),
                             expand("$ROOT/lib1|$ROOT/lib2"));
    GlobalSettings::setValue(g_pSettings, QStringLiteral("Learn/ExternalPlayer"), true);
    GlobalSettings::setValue(g_pSettings, QStringLiteral("Learn/MplayerPath"), recorder.program());
    auto record = FakeSynthesizer::withVoices({"alpha"});
    SpeechSynthesizer::setFactory([record] { return FakeSynthesizer::make(record); });

    SpeakRealPeopleVoice engine;
    LogCapture log;
    QVERIFY(engine.Speak(QStringLiteral("Apple")));
    QVERIFY(log.contains(QStringLiteral("SpeakRealPeopleVoice::Speak sucess")));
    QTRY_COMPARE(recorder.played(), QStringList({expand("$ROOT/lib2/A/APPLE.MP3")}));
    QVERIFY(record->said.isEmpty());
}

void TestVoiceLookup::speakRefusesEmptyWord()
{
    auto record = FakeSynthesizer::withVoices({"alpha"});
    SpeechSynthesizer::setFactory([record] { return FakeSynthesizer::make(record); });
    SpeakRealPeopleVoice engine;
    LogCapture log;
    QVERIFY(!engine.Speak(QString()));
    QVERIFY(log.contains(QStringLiteral("SpeakRealPeopleVoice::word isEmpty...")));
    QVERIFY(record->said.isEmpty());
}

void TestVoiceLookup::missingWordFallsBackToFirstVoiceAtFullVolume()
{
    buildLibrary({"lib1/b/bee.mp3"});
    GlobalSettings::setValue(g_pSettings, QStringLiteral("Learn/VoicePath"), expand("$ROOT/lib1"));
    // The configured voice and volume are not used by the fallback.
    GlobalSettings::setValue(g_pSettings, QStringLiteral("Learn/Voice"), QStringLiteral("beta"));
    GlobalSettings::setValue(g_pSettings, QStringLiteral("Learn/Volume"), 20);
    auto record = FakeSynthesizer::withVoices({"alpha", "beta"});
    SpeechSynthesizer::setFactory([record] { return FakeSynthesizer::make(record); });

    SpeakRealPeopleVoice engine;
    LogCapture log;
    QVERIFY(engine.Speak(QStringLiteral("apple")));
    QVERIFY(log.contains(QStringLiteral("SpeakRealPeopleVoice::Speak failure......go to TTS....")));
    QVERIFY(log.contains(QStringLiteral("SpeakTTS::Speak sucess...")));
    QCOMPARE(record->said.size(), 1);
    QCOMPARE(record->said.at(0).text, QStringLiteral("apple"));
    QCOMPARE(record->said.at(0).voice, QStringLiteral("alpha"));
    QCOMPARE(record->said.at(0).volume, 100);

    // The word keeps sounding: the next word purges it, not the end of the call.
    QVERIFY(engine.Speak(QStringLiteral("bean")));
    QVERIFY(log.contains(QStringLiteral("SpeakRealPeopleVoice::Speak failure...no word...go to "
                                        "TTS....")));
    QCOMPARE(record->calls, QStringList({"stop", "say", "stop", "say"}));
}

void TestVoiceLookup::missingWordWithoutVoicesIsNotHeard()
{
    auto record = FakeSynthesizer::withVoices({});
    SpeechSynthesizer::setFactory([record] { return FakeSynthesizer::make(record); });
    SpeakRealPeopleVoice engine;
    LogCapture log;
    QVERIFY(!engine.Speak(QStringLiteral("apple")));
    QVERIFY(log.contains(QStringLiteral("SpeakRealPeopleVoice::Speak failure...no path...go to "
                                        "TTS....")));
    QVERIFY(log.contains(QStringLiteral("SpeakTTS::Speak failure...")));
    QVERIFY(record->said.isEmpty());
}

QTEST_MAIN(TestVoiceLookup)
#include "tst_voicelookup.moc"
