#include "speech/speakrealpeoplevoice.h"

#include "app/settings.h"
#include "speech/cwttsspeak.h"
#include "speech/mp3player.h"

#include <QDebug>
#include <QDir>

namespace {
const char *const kNoPath = "no path";
const char *const kNoFind = "no find";
const char *const kNoWord = "no word";

bool isLookupFailure(const QString &result)
{
    return result.isEmpty() || result == QLatin1String(kNoPath) ||
           result == QLatin1String(kNoFind) || result == QLatin1String(kNoWord);
}
} // namespace

SpeakRealPeopleVoice::SpeakRealPeopleVoice(QObject *parent)
    : QObject(parent), m_player(new Mp3Player)
{
    const QString paths =
        GlobalSettings::value(g_pSettings, QStringLiteral("Learn/VoicePath")).toString();
    if (!paths.isEmpty())
        m_voicePaths = paths.split(QLatin1Char('|'), Qt::KeepEmptyParts);
}

SpeakRealPeopleVoice::~SpeakRealPeopleVoice()
{
    delete m_player;
}

bool SpeakRealPeopleVoice::Speak(QString word)
{
    if (word.isEmpty()) {
        qDebug() << "SpeakRealPeopleVoice::word isEmpty...";
        return false;
    }
    const QString result = findVoiceFile(word);
    if (!isLookupFailure(result)) {
        m_player->play(result);
        qDebug() << "SpeakRealPeopleVoice::Speak sucess";
        return true;
    }
    qDebug().noquote() << "SpeakRealPeopleVoice::Speak failure..." + result + "...go to TTS....";
    return speakWithTts(word);
}

bool SpeakRealPeopleVoice::speakWithTts(const QString &word)
{
    // The engine is kept: speech is asynchronous and would stop with its engine.
    if (!m_tts)
        m_tts = std::make_unique<CWTTSSpeak>();
    const QStringList voices = m_tts->voices();
    if (voices.isEmpty()) {
        qDebug() << "SpeakTTS::Speak failure...";
        return false;
    }
    m_tts->setVoice(voices.first());
    m_tts->setVolume(100);
    if (!m_tts->Speak(word)) {
        qDebug() << "SpeakTTS::Speak failure...";
        return false;
    }
    qDebug() << "SpeakTTS::Speak sucess...";
    return true;
}

QString SpeakRealPeopleVoice::findVoiceFile(const QString &word) const
{
    QStringList folders;
    for (const QString &folder : m_voicePaths) {
        // An empty entry names no folder (it would otherwise mean the working folder).
        if (!folder.trimmed().isEmpty())
            folders << QDir::toNativeSeparators(folder);
    }
    if (folders.isEmpty())
        return QLatin1String(kNoPath);

    const QString letter = word.left(1).toLower();
    QString result;
    for (const QString &folder : std::as_const(folders)) {
        const QDir root(folder);
        const QStringList letterFolders =
            root.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
        qDebug() << "声音目录下的所有子目录" << letterFolders;

        QString letterFolder;
        for (const QString &name : letterFolders) {
            if (name.toLower() == letter)
                letterFolder = name;
        }
        if (letterFolder.isEmpty())
            continue;

        const QStringList files =
            QDir(root.filePath(letterFolder)).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
        if (files.isEmpty()) {
            result = QLatin1String(kNoFind);
            continue;
        }
        const QString wanted = word.toLower() + files.first().right(4);
        bool someContain = false;
        for (const QString &name : files) {
            if (!name.contains(wanted, Qt::CaseInsensitive))
                continue;
            someContain = true;
            if (name.length() == wanted.length())
                return folder + QLatin1Char('/') + letterFolder + QLatin1Char('/') + name;
        }
        result = QLatin1String(someContain ? kNoFind : kNoWord);
    }
    return result;
}
