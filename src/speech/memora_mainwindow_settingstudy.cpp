#include "speech/memora_mainwindow_settingstudy.h"

#include "app/product.h"

#include "speech/cwttsspeak.h"
#include "speech/speechsynthesizer.h"

#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QSignalBlocker>
#include <QStringListModel>

namespace {
enum EnginePage
{
    kPageSpeech = 0,
    kPageOnline = 1,
    kPageRealPeople = 2
};

QVariant valueOr(const QHash<QString, QVariant> &values, const char *key, const QVariant &fallback)
{
    return values.value(QLatin1String(key), fallback);
}
} // namespace

Memora_MainWindow_SettingStudy::Memora_MainWindow_SettingStudy(
    const QHash<QString, QVariant> &values, QWidget *parent,
    std::unique_ptr<SpeechSynthesizer> synthesizer)
    : QWidget(parent), m_values(values), m_pathModel(new QStringListModel(this))
{
    setupUi(this);
    lView_voicePath->setModel(m_pathModel);

    m_chooseFolder = [](QWidget *p, const QString &caption, const QString &start) {
        return QFileDialog::getExistingDirectory(p, caption, start, QFileDialog::ShowDirsOnly);
    };
    m_chooseFile = [](QWidget *p, const QString &caption, const QString &start) {
        return QFileDialog::getOpenFileName(p, caption, start);
    };

    m_autoSpeak = valueOr(m_values, "AutoSpeak", true).toBool();
    m_speechEngine = valueOr(m_values, "SpeechEngine", 1).toInt();
    if (m_speechEngine < 0 || m_speechEngine > 3)
        m_speechEngine = 0;
    m_externalPlayer = valueOr(m_values, "ExternalPlayer", false).toBool();
    m_voice = valueOr(m_values, "Voice", QStringLiteral("VW Paul")).toString();
    m_volume = valueOr(m_values, "Volume", 50).toInt();
    // An empty setting means no folder at all, not one empty folder.
    const QString joined = valueOr(m_values, "VoicePath", QString()).toString();
    QStringList paths;
    if (!joined.isEmpty())
        paths = joined.split(QLatin1Char('|'), Qt::KeepEmptyParts);
    paths.removeDuplicates();
    m_pathModel->setStringList(paths);
    m_mplayerPath = valueOr(m_values, "MplayerPath", QString()).toString();

    m_tts = std::make_unique<CWTTSSpeak>(std::move(synthesizer));

    // Keyboard steps and clicks on the groove change the volume as dragging does.
    connect(hsilder_voicevolume_global, &QSlider::valueChanged, this,
            &Memora_MainWindow_SettingStudy::setVolume);

    chBox_autospeak->setChecked(m_autoSpeak);
    chBox_mplayer->setChecked(m_externalPlayer);
    lEdit_mplayerPath->setEnabled(m_externalPlayer);
    tBtn_browser->setEnabled(m_externalPlayer);
    lEdit_mplayerPath->setText(m_mplayerPath);
    coBox_SpeechEngine->setCurrentIndex(m_speechEngine);
    showEnginePage(m_speechEngine);
}

Memora_MainWindow_SettingStudy::~Memora_MainWindow_SettingStudy() = default;

QHash<QString, QVariant> Memora_MainWindow_SettingStudy::values()
{
    m_values.insert(QStringLiteral("VoicePath"), voicePaths().join(QLatin1Char('|')));
    m_values.insert(QStringLiteral("MplayerPath"), lEdit_mplayerPath->text().trimmed());
    return m_values;
}

QStringList Memora_MainWindow_SettingStudy::voicePaths() const
{
    return m_pathModel->stringList();
}

void Memora_MainWindow_SettingStudy::setExternalPlayerControlsVisible(bool visible)
{
    chBox_mplayer->setVisible(visible);
    lEdit_mplayerPath->setVisible(visible);
    tBtn_browser->setVisible(visible);
}

void Memora_MainWindow_SettingStudy::showEnginePage(int index)
{
    if (index == 0) {
        setExternalPlayerControlsVisible(false);
        // The voice chosen so far on this page, not the one it was opened with: switching
        // to an online engine and back keeps it. Refilling the list is no choice.
        const QString chosen = m_values.value(QStringLiteral("Voice"), m_voice).toString();
        const QStringList voices = m_tts->voices();
        {
            const QSignalBlocker blocker(cbox_voicesel_w_global);
            cbox_voicesel_w_global->clear();
            cbox_voicesel_w_global->addItems(voices);
        }
        if (voices.isEmpty()) {
            QMessageBox::warning(this, Product::displayName(),
                                 tr("该系统没有安装合成语音引擎！"));
            coBox_SpeechEngine->setCurrentIndex(1);
            return;
        }
        cbox_voicesel_w_global->setCurrentIndex(qMax(0, voices.indexOf(chosen)));
        m_values.insert(QStringLiteral("Voice"), cbox_voicesel_w_global->currentText());
        stWi_context->setCurrentIndex(kPageSpeech);
        hsilder_voicevolume_global->setRange(0, 100);
        hsilder_voicevolume_global->setValue(m_volume);
        return;
    }
    setExternalPlayerControlsVisible(true);
    stWi_context->setCurrentIndex(index == 3 ? kPageRealPeople : kPageOnline);
}

void Memora_MainWindow_SettingStudy::on_cbox_voicesel_w_global_currentIndexChanged(int index)
{
    // Clearing the list reports index -1; that is no choice of the user.
    if (index < 0)
        return;
    m_values.insert(QStringLiteral("Voice"), cbox_voicesel_w_global->itemText(index));
}

void Memora_MainWindow_SettingStudy::on_hsilder_voicevolume_global_sliderMoved(int value)
{
    setVolume(value);
}

void Memora_MainWindow_SettingStudy::setVolume(int value)
{
    m_volume = value;
    m_values.insert(QStringLiteral("Volume"), value);
    hsilder_voicevolume_global->setToolTip(QString::number(value));
}

void Memora_MainWindow_SettingStudy::on_pbtn_textplay_global_clicked()
{
    const QString text = ledit_textplay_global->text();
    if (text.isEmpty())
        return;
    m_tts->setVoice(m_values.value(QStringLiteral("Voice")).toString());
    m_tts->setVolume(m_volume);
    m_tts->Speak(text);
}

void Memora_MainWindow_SettingStudy::on_coBox_SpeechEngine_currentIndexChanged(int index)
{
    m_speechEngine = index;
    m_values.insert(QStringLiteral("SpeechEngine"), index);
    showEnginePage(index);
}

void Memora_MainWindow_SettingStudy::on_chBox_autospeak_clicked(bool checked)
{
    m_autoSpeak = checked;
    m_values.insert(QStringLiteral("AutoSpeak"), checked);
}

void Memora_MainWindow_SettingStudy::on_chBox_mplayer_clicked(bool checked)
{
    m_externalPlayer = checked;
    m_values.insert(QStringLiteral("ExternalPlayer"), checked);
    lEdit_mplayerPath->setEnabled(checked);
    tBtn_browser->setEnabled(checked);
}

int Memora_MainWindow_SettingStudy::currentRow() const
{
    const QModelIndex current = lView_voicePath->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void Memora_MainWindow_SettingStudy::selectRow(int row)
{
    if (row < 0 || row >= m_pathModel->rowCount()) {
        lView_voicePath->setCurrentIndex(QModelIndex());
        return;
    }
    lView_voicePath->setCurrentIndex(m_pathModel->index(row));
}

void Memora_MainWindow_SettingStudy::setPaths(QStringList paths, int row)
{
    paths.removeDuplicates();
    m_pathModel->setStringList(paths);
    selectRow(qMin(row, int(paths.size()) - 1));
}

void Memora_MainWindow_SettingStudy::on_pBtn_addPath_clicked()
{
    const QString folder = m_chooseFolder(this, tr("选择音频库根路径"), QString());
    if (folder.isEmpty())
        return;
    QStringList paths = voicePaths();
    paths << folder;
    paths.removeDuplicates();
    setPaths(paths, int(paths.size()) - 1);
}

void Memora_MainWindow_SettingStudy::on_pBtn_removePath_clicked()
{
    const int row = currentRow();
    if (row < 0)
        return;
    QStringList paths = voicePaths();
    paths.removeAt(row);
    // The row that moved into the removed one's place, or the new last row.
    setPaths(paths, row);
}

void Memora_MainWindow_SettingStudy::on_pBtn_modifyPath_clicked()
{
    QStringList paths = voicePaths();
    if (paths.isEmpty())
        return;
    int row = currentRow();
    if (row < 0)
        row = 0;
    const QString folder = m_chooseFolder(this, tr("重新选择音频库根路径"), paths.at(row));
    if (folder.isEmpty())
        return;
    paths[row] = folder;
    // When the new folder was listed already, the earlier entry stays.
    const int kept = int(paths.indexOf(folder));
    setPaths(paths, kept);
}

void Memora_MainWindow_SettingStudy::on_pBtn_upMove_clicked()
{
    // Without a current row the first row is selected, and it cannot move up.
    const int row = currentRow();
    if (row < 0) {
        selectRow(0);
        return;
    }
    if (row == 0)
        return;
    QStringList paths = voicePaths();
    paths.swapItemsAt(row, row - 1);
    setPaths(paths, row - 1);
}

void Memora_MainWindow_SettingStudy::on_pBtn_dnMove_clicked()
{
    // Without a current row the first row is selected and moved.
    int row = currentRow();
    if (row < 0) {
        row = 0;
        selectRow(row);
    }
    QStringList paths = voicePaths();
    if (row >= paths.size() - 1)
        return;
    paths.swapItemsAt(row, row + 1);
    setPaths(paths, row + 1);
}

void Memora_MainWindow_SettingStudy::on_tBtn_browser_clicked()
{
    const QString file = m_chooseFile(this, tr("请选择音频播放器的位置"), QString());
    if (!file.isEmpty())
        lEdit_mplayerPath->setText(QDir::toNativeSeparators(file));
}
