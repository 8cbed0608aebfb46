#pragma once

#include "study/learnstate.h"
#include "ui_memora_mainwindow_study.h"

#include <QDialog>

class CourseCategoryMgr;
class CSpeakBase;
class LearnMgr;
class Memora_MainWindow_LearnAnswer;
class Memora_MainWindow_LearnBigInfo;
class Memora_MainWindow_LearnOperate;
class Memora_MainWindow_StudyQuestion;
class MyEventFilter;
class QAction;
class QMenu;
class QTimer;

// The window in which the learner drills the words of one course.
//
// It owns the session's learning manager from construction until it is closed: closing
// (exit button, ExitLearn key, the window's close button or the end of the words) deletes
// the manager, which writes the session row and the gradings to the learning record, and
// then emits exitStudy. A window destroyed without having been closed (one that could not
// start) deletes its manager then, so that session is recorded too.
//
// After construction nextWordResult() tells the caller whether the drill started: a value
// below 1 means the learner was told why not and the window closes itself 30 ms later;
// with a negative value the caller may delete it at once.
class Memora_MainWindow_Study : public QDialog, public Ui::Memora_MainWindow_Study
{
    Q_OBJECT
public:
    Memora_MainWindow_Study(const QString &userName, int courseId, const QString &courseName,
                            CourseCategoryMgr *categoryMgr, CSpeakBase *speaker,
                            QWidget *parent = nullptr);
    ~Memora_MainWindow_Study() override;

    int nextWordResult() const { return m_nextWordResult; }
    // Null once the window was closed.
    LearnMgr *learnMgr() const { return m_learnMgr; }
    bool isIdle() const { return m_idle; }

    Memora_MainWindow_LearnOperate *operatePanel() const { return m_operate; }
    Memora_MainWindow_StudyQuestion *questionPanel() const { return m_question; }
    Memora_MainWindow_LearnAnswer *answerPanel() const { return m_answer; }
    Memora_MainWindow_LearnBigInfo *examplePanel() const { return m_example; }
    QAction *fullScreenAction() const { return m_actFullScreen; }
    QAction *exampleAction() const { return m_actExample; }
    QAction *statisticsAction() const { return m_actStatistics; }
    // "撤销" (Ctrl+Z): takes back the last answer; disabled when there is none.
    QAction *undoAction() const { return m_actUndo; }

signals:
    void studyStateChanged(MEMORA_LERAN::learnState state);
    void exitStudy();

public slots:
    void studyState(MEMORA_LERAN::learnState state_t);
    void showInfo(MEMORA_LERAN::learnState state_t);
    void showExample(bool show);
    void showFullScr(bool full);
    void showStaticsInfo(bool show);
    void showStudyGUI();
    void on_tBtn_exit_clicked();
    void on_tBtn_whatThis_clicked();
    void SetHotkeyAsk();
    void setHotkeyConfirm();
    void setHotkeyLearn();
    void idleTimeStart();
    void resetMyTimer();
    // Takes back the last answer of the session and shows its word again in the ask state.
    void undoAnswer();

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void loadNextWord();
    // Puts the learning manager's current word in the panels.
    void showCurrentWord();
    void fillPanels();
    void refreshStatistics();
    void refreshProgress();
    // Shows or clears the tip bar's warning that gradings are not being saved.
    void checkGradingsSaved();
    // The end of the drill: the message for result, then the window closes 30 ms later.
    void endStudy(int result, bool unreadable);
    void installHotkeys();
    void releaseFilterAndTimer();

    // Presentation (memora_mainwindow_studylook.cpp).
    void installHelpTexts();
    void applySkin();
    int mainDisplayHeight() const;
    void layoutPanels();
    void elideCourseName();

    QString m_userName;
    int m_courseId;
    QString m_courseName;
    CourseCategoryMgr *m_categoryMgr;
    CSpeakBase *m_speaker;
    LearnMgr *m_learnMgr = nullptr;

    QString m_word;
    QString m_phonetic;
    QString m_trans;
    QString m_esentence;
    uint m_wordId = 0;
    int m_nextWordResult = 0;

    bool m_showExample = true;
    bool m_showStatistics = true;
    bool m_fullScreen = false;
    bool m_idle = false;
    bool m_closed = false;
    bool m_savedShown = true;
    bool m_progressPending = false;
    MEMORA_LERAN::learnState m_state = MEMORA_LERAN::STATE_ASK;

    QTimer *m_idleTimer = nullptr;
    MyEventFilter *m_filter = nullptr;

    Memora_MainWindow_LearnOperate *m_operate = nullptr;
    Memora_MainWindow_StudyQuestion *m_question = nullptr;
    Memora_MainWindow_LearnAnswer *m_answer = nullptr;
    Memora_MainWindow_LearnBigInfo *m_example = nullptr;

    QMenu *m_menu = nullptr;
    QAction *m_actFullScreen = nullptr;
    QAction *m_actExample = nullptr;
    QAction *m_actStatistics = nullptr;
    QAction *m_actUndo = nullptr;
};

// The open study window: set by its constructor and cleared by its destructor (null while no
// drill is open). Kept for the windows that act on the running drill; nothing reads it yet
// (the study-parameter dialog is handed the drill's settings instead).
extern Memora_MainWindow_Study *g_pStudyWindow;
