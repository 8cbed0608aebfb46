#pragma once

#include "study/learnstate.h"
#include "ui_memora_mainwindow_studyquestion.h"

#include <QWidget>

class CSpeakBase;

// The word of the drill with its phonetic transcription and a speak button. The word is
// spoken when it is first shown and again in the learn state while "Learn/AutoSpeak" is on.
class Memora_MainWindow_StudyQuestion : public QWidget, public Ui::Memora_MainWindow_StudyQuestion
{
    Q_OBJECT
public:
    // speaker: not owned; may be null (nothing is spoken).
    explicit Memora_MainWindow_StudyQuestion(CSpeakBase *speaker, QWidget *parent = nullptr);

    void setWord(const QString &word, const QString &phonetic);

public slots:
    void on_tBtn_speak_clicked();
    void showInfo(MEMORA_LERAN::learnState state_t);

protected:
    void changeEvent(QEvent *event) override;

private:
    CSpeakBase *m_speaker;
};
