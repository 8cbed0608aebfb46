#include "speech/mp3player.h"

#include "app/settings.h"
#include "speech/externalviewer.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QDebug>
#include <QFileInfo>
#include <QMediaDevices>
#include <QMediaPlayer>

Mp3Player::Mp3Player(QObject *parent)
    : QObject(parent), m_mediaObject(new QMediaPlayer), m_audioOutput(new QAudioOutput)
{
    m_mediaObject->setAudioOutput(m_audioOutput);
    // Errors of the built-in player arrive after play() has returned; they show in the log.
    connect(m_mediaObject, &QMediaPlayer::errorOccurred, this, [this] { logDiagnostics(); });
}

Mp3Player::~Mp3Player()
{
    delete m_mediaObject;
    delete m_audioOutput;
}

QUrl Mp3Player::source() const
{
    return m_mediaObject->source();
}

void Mp3Player::play(const QString &path)
{
    // Every play cuts off the previous word of the built-in player.
    if (!m_mediaObject->source().isEmpty()) {
        m_mediaObject->stop();
        m_mediaObject->setSource(QUrl());
    }
    if (!QFileInfo(path).isFile())
        return;

    const bool external =
        GlobalSettings::value(g_pSettings, QStringLiteral("Learn/ExternalPlayer")).toBool();
    const QString program =
        GlobalSettings::value(g_pSettings, QStringLiteral("Learn/MplayerPath")).toString();
    if (external)
        playExternal(path, program);
    else
        playBuiltIn(path);
}

void Mp3Player::playExternal(const QString &path, const QString &program)
{
    auto *viewer = new ExternalViewer(this, path, QStringLiteral("wav"), program);
    try {
        viewer->run();
    } catch (const ExternalViewer::Ex &e) {
        qDebug().noquote() << QStringLiteral("Failed to run a player to play sound file: %1")
                                  .arg(QString::fromStdString(e.what()));
        delete viewer;
    }
}

void Mp3Player::playBuiltIn(const QString &path)
{
    m_mediaObject->setSource(QUrl::fromLocalFile(path));
    m_mediaObject->play();
    if (m_mediaObject->mediaStatus() != QMediaPlayer::LoadingMedia)
        logDiagnostics();
}

void Mp3Player::logDiagnostics() const
{
    const QList<QAudioDevice> outputs = QMediaDevices::audioOutputs();
    for (const QAudioDevice &device : outputs)
        qDebug() << "Audio Output Device:" << device.description();
    qDebug() << "phonon mediaobject error:" << m_mediaObject->errorString();
    qDebug() << "phonon mediaobject state:" << int(m_mediaObject->playbackState())
             << int(m_mediaObject->mediaStatus());
    const QAudioDevice device = m_audioOutput->device();
    qDebug() << "Output device: " << QString::fromUtf8(device.id());
    qDebug() << "Output device description: " << device.description();
    qDebug() << "phonon source: " << m_mediaObject->source().toLocalFile();
}
