#pragma once

#include "speech/speechsynthesizer.h"
#include "ui_memora_mainwindow_settingstudy.h"

#include <QHash>
#include <QStringList>
#include <QVariant>
#include <QWidget>

#include <functional>
#include <memory>

class CWTTSSpeak;
class QStringListModel;

// The speech page of the settings dialog: engine, automatic speaking, external player,
// text-to-speech voice and volume, and the recorded-voice library folders. It edits a copy
// of the dialog's "Learn" values; the dialog takes them back with values() on OK.
class Memora_MainWindow_SettingStudy : public QWidget, private Ui::Memora_MainWindow_SettingStudy
{
    Q_OBJECT
public:
    // Asks for a folder or a file: (parent, caption, start folder) -> chosen path or empty.
    using PathChooser =
        std::function<QString(QWidget *parent, const QString &caption, const QString &start)>;

    // values: "AutoSpeak", "SpeechEngine", "ExternalPlayer", "MplayerPath", "Voice",
    // "VoicePath", "Volume". synthesizer: for listing and previewing voices; without one
    // SpeechSynthesizer::create() is used.
    explicit Memora_MainWindow_SettingStudy(
        const QHash<QString, QVariant> &values, QWidget *parent = nullptr,
        std::unique_ptr<SpeechSynthesizer> synthesizer = nullptr);
    ~Memora_MainWindow_SettingStudy() override;

    // The edited values, with VoicePath (folders joined by "|") and MplayerPath (trimmed).
    QHash<QString, QVariant> values();

    // The voice-library folders as listed.
    QStringList voicePaths() const;

    // Replace the folder and file dialogs (tests choose without a dialog).
    void setFolderChooser(PathChooser chooser) { m_chooseFolder = std::move(chooser); }
    void setFileChooser(PathChooser chooser) { m_chooseFile = std::move(chooser); }

    // Shows the controls and the page of engine index; for text-to-speech without an
    // installed voice it warns and switches to the Youdao engine.
    void showEnginePage(int index);

private Q_SLOTS:
    void on_cbox_voicesel_w_global_currentIndexChanged(int index);
    void on_hsilder_voicevolume_global_sliderMoved(int value);
    void on_pbtn_textplay_global_clicked();
    void on_coBox_SpeechEngine_currentIndexChanged(int index);
    void on_chBox_autospeak_clicked(bool checked);
    void on_chBox_mplayer_clicked(bool checked);
    void on_pBtn_addPath_clicked();
    void on_pBtn_removePath_clicked();
    void on_pBtn_modifyPath_clicked();
    void on_pBtn_upMove_clicked();
    void on_pBtn_dnMove_clicked();
    void on_tBtn_browser_clicked();

private:
    void setVolume(int value);
    void setExternalPlayerControlsVisible(bool visible);
    void setPaths(QStringList paths, int currentRow);
    int currentRow() const;
    void selectRow(int row);

    QHash<QString, QVariant> m_values;
    bool m_autoSpeak = true;
    int m_speechEngine = 1;
    bool m_externalPlayer = false;
    QString m_voice;
    int m_volume = 50;
    QString m_mplayerPath;
    QStringListModel *m_pathModel;
    std::unique_ptr<CWTTSSpeak> m_tts;
    PathChooser m_chooseFolder;
    PathChooser m_chooseFile;
};
