#include "fakesynthesizer.h"
#include "speech/cwttsspeak.h"
#include "speech/qtspeechsynthesizer.h"

#include <QTextToSpeech>
#include <QtTest>

class TestTtsSpeak : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void voicesListsInstalledVoices();
    void realVoicesCoverEveryLocale();
    void speakStopsThenSaysWordAsPlainText();
    void chosenVoiceOrFirst_data();
    void chosenVoiceOrFirst();
    void volumeIsKeptWithinRange_data();
    void volumeIsKeptWithinRange();
    void speakWithoutVoicesStillAsksSynthesizer();
    void factoryReplacesSynthesizer();
};

void TestTtsSpeak::voicesListsInstalledVoices()
{
    auto record = FakeSynthesizer::withVoices({"slt", "awb", "kal"});
    CWTTSSpeak tts(FakeSynthesizer::make(record));
    QCOMPARE(tts.voices(), QStringList({"slt", "awb", "kal"}));
    record->voices.clear();
    QVERIFY(tts.voices().isEmpty());
}

void TestTtsSpeak::realVoicesCoverEveryLocale()
{
    if (QTextToSpeech::availableEngines().isEmpty())
        QSKIP("no text-to-speech engine installed");
    // Every voice of every locale of the first engine that has voices, gathered directly.
    QSet<QString> expected;
    for (const QString &engine : QTextToSpeech::availableEngines()) {
        QTextToSpeech tts(engine);
        for (const QLocale &locale : tts.availableLocales()) {
            tts.setLocale(locale);
            for (const QVoice &voice : tts.availableVoices())
                expected.insert(voice.name());
        }
        if (!expected.isEmpty())
            break;
    }
    CWTTSSpeak speak;
    const QStringList voices = speak.voices();
    QCOMPARE(QSet<QString>(voices.begin(), voices.end()), expected);
    QCOMPARE(voices.size(), expected.size());
    if (QTextToSpeech::availableEngines().contains(QLatin1String("flite")))
        QVERIFY(!voices.isEmpty());
    // Speaking with the real synthesiser returns at once, whether or not a sound card exists.
    speak.setVoice(voices.value(voices.size() - 1));
    speak.setVolume(0);
    QVERIFY(speak.Speak(QStringLiteral("Welcome")));
}

void TestTtsSpeak::speakStopsThenSaysWordAsPlainText()
{
    auto record = FakeSynthesizer::withVoices({"alpha", "beta"});
    CWTTSSpeak tts(FakeSynthesizer::make(record));
    QCOMPARE(tts.volume(), 100);
    tts.setVoice(QStringLiteral("beta"));
    tts.setVolume(30);
    const QString word = QStringLiteral("<volume level=\"0\">don't</volume> & \"co\"");
    QVERIFY(tts.Speak(word));
    QCOMPARE(record->calls, QStringList({"stop", "say"}));
    QCOMPARE(record->said.size(), 1);
    QCOMPARE(record->said.at(0).text, word);
    QCOMPARE(record->said.at(0).voice, QStringLiteral("beta"));
    QCOMPARE(record->said.at(0).volume, 30);

    QVERIFY(tts.Speak(QStringLiteral("next")));
    QCOMPARE(record->calls, QStringList({"stop", "say", "stop", "say"}));
}

void TestTtsSpeak::chosenVoiceOrFirst_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("spoken");
    QTest::newRow("installed voice") << "beta"
                                     << "beta";
    QTest::newRow("unknown voice") << "VW Paul"
                                   << "alpha";
    QTest::newRow("empty name") << ""
                                << "alpha";
    QTest::newRow("other case is another name") << "BETA"
                                                << "alpha";
}

void TestTtsSpeak::chosenVoiceOrFirst()
{
    QFETCH(QString, chosen);
    QFETCH(QString, spoken);
    auto record = FakeSynthesizer::withVoices({"alpha", "beta"});
    CWTTSSpeak tts(FakeSynthesizer::make(record));
    QVERIFY(tts.setVoice(chosen));
    QCOMPARE(tts.voice(), chosen);
    tts.Speak(QStringLiteral("word"));
    QCOMPARE(record->said.value(0).voice, spoken);
}

void TestTtsSpeak::volumeIsKeptWithinRange_data()
{
    QTest::addColumn<int>("given");
    QTest::addColumn<int>("used");
    QTest::newRow("zero") << 0 << 0;
    QTest::newRow("middle") << 50 << 50;
    QTest::newRow("full") << 100 << 100;
    QTest::newRow("above") << 150 << 100;
    QTest::newRow("below") << -5 << 0;
}

void TestTtsSpeak::volumeIsKeptWithinRange()
{
    QFETCH(int, given);
    QFETCH(int, used);
    auto record = FakeSynthesizer::withVoices({"alpha"});
    CWTTSSpeak tts(FakeSynthesizer::make(record));
    tts.setVolume(given);
    QCOMPARE(tts.volume(), used);
    tts.Speak(QStringLiteral("word"));
    QCOMPARE(record->said.value(0).volume, used);
}

void TestTtsSpeak::speakWithoutVoicesStillAsksSynthesizer()
{
    auto record = FakeSynthesizer::withVoices({});
    CWTTSSpeak tts(FakeSynthesizer::make(record));
    QVERIFY(tts.Speak(QStringLiteral("word")));
    QCOMPARE(record->said.size(), 1);
    QCOMPARE(record->said.at(0).voice, QString());
}

void TestTtsSpeak::factoryReplacesSynthesizer()
{
    auto record = FakeSynthesizer::withVoices({"gamma"});
    SpeechSynthesizer::setFactory([record] { return FakeSynthesizer::make(record); });
    {
        CWTTSSpeak tts;
        QCOMPARE(tts.voices(), QStringList({"gamma"}));
    }
    SpeechSynthesizer::setFactory({});
    if (QTextToSpeech::availableEngines().contains(QLatin1String("flite"))) {
        CWTTSSpeak tts;
        QVERIFY(!tts.voices().contains(QStringLiteral("gamma")));
        QVERIFY(!tts.voices().isEmpty());
    }
}

QTEST_MAIN(TestTtsSpeak)
#include "tst_ttsspeak.moc"
