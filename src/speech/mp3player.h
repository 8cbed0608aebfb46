#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

class QAudioOutput;
class QMediaPlayer;

// Plays sound files for the pronunciation engines: with Qt Multimedia, or, when
// "Learn/ExternalPlayer" is on, with the program named by "Learn/MplayerPath". Both
// settings are read at every play, so a change acts on the next word.
class Mp3Player : public QObject
{
    Q_OBJECT
public:
    explicit Mp3Player(QObject *parent = nullptr);
    ~Mp3Player() override;

    // Stops what the built-in player is playing, then plays path (an absolute file path).
    // A missing file plays nothing. Playback runs on asynchronously; nothing is returned.
    void play(const QString &path);

    // The file the built-in player holds (empty when it holds none).
    QUrl source() const;

private:
    void playExternal(const QString &path, const QString &program);
    void playBuiltIn(const QString &path);
    void logDiagnostics() const;

    QMediaPlayer *m_mediaObject;
    QAudioOutput *m_audioOutput;
};
