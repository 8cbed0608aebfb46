#include "study/memora_mainwindow_studyquestion.h"

#include "app/apppath.h"
#include "app/settings.h"
#include "speech/cspeakbase.h"
#include "speech/cwttsspeak.h"

#include <QEvent>
#include <QFile>
#include <QSettings>

namespace {

QVariant setting(const QString &key, const QVariant &fallback)
{
    return g_pSettings ? g_pSettings->value(key, fallback) : fallback;
}

} // namespace

Memora_MainWindow_StudyQuestion::Memora_MainWindow_StudyQuestion(CSpeakBase *speaker,
                                                                 QWidget *parent)
    : QWidget(parent), m_speaker(speaker)
{
    setupUi(this);
    QFile sheet(appPath(QStringLiteral("/images/learnquestion.qss")));
    if (sheet.open(QIODevice::ReadOnly))
        setStyleSheet(tr(sheet.readAll().constData())
                          .arg(appRelativePath(QStringLiteral("/images/Learn_speak_normal.png")),
                               appRelativePath(QStringLiteral("/images/Learn_speak_hover.png")),
                               appRelativePath(QStringLiteral("/images/Learn_speak_hover.png"))));
}

void Memora_MainWindow_StudyQuestion::setWord(const QString &word, const QString &phonetic)
{
    lab_word->setText(word);
    lab_phoneticSymbol->setText(phonetic.isEmpty() ? QString()
                                                   : QStringLiteral("[%1]").arg(phonetic));
}

void Memora_MainWindow_StudyQuestion::on_tBtn_speak_clicked()
{
    if (!m_speaker)
        return;
    const QString text = lab_word->text();
    if (setting(QStringLiteral("Learn/SpeechEngine"), 1).toInt() == 0) {
        if (auto *tts = dynamic_cast<CWTTSSpeak *>(m_speaker)) {
            tts->setVoice(
                setting(QStringLiteral("Learn/Voice"), QStringLiteral("VW Paul")).toString());
            tts->setVolume(setting(QStringLiteral("Learn/Volume"), 50).toInt());
        }
    }
    m_speaker->Speak(text);
}

void Memora_MainWindow_StudyQuestion::showInfo(MEMORA_LERAN::learnState state_t)
{
    if (state_t != MEMORA_LERAN::STATE_ASK && state_t != MEMORA_LERAN::STATE_LEARN)
        return;
    if (setting(QStringLiteral("Learn/AutoSpeak"), true).toBool())
        on_tBtn_speak_clicked();
}

void Memora_MainWindow_StudyQuestion::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi(this);
    QWidget::changeEvent(event);
}
