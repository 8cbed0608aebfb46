#include "study/memora_mainwindow_study.h"

#include "app/product.h"

#include "app/settings.h"
#include "learn/learncodes.h"
#include "learn/learnmgr.h"
#include "learn/learnsetmgr.h"
#include "study/hotkeys.h"
#include "study/memora_mainwindow_learnanswer.h"
#include "study/memora_mainwindow_learnbiginfo.h"
#include "study/memora_mainwindow_learnoperate.h"
#include "study/memora_mainwindow_studyquestion.h"
#include "study/myeventfilter.h"
#include "study/shortcutclicker.h"
#include "study/studygeometry.h"
#include "user/memora_mainwindow_studyparameter.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDebug>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QSettings>
#include <QTimer>
#include <QWhatsThis>

Memora_MainWindow_Study *g_pStudyWindow = nullptr;

namespace {
// How often the window looks whether the last write-back of gradings succeeded.
constexpr int kSaveCheckMs = 1000;

const int kIdleMs = 30000;
const int kCloseDelayMs = 30;

void setShortcut(QAbstractButton *button, const QString &action)
{
    button->setShortcut(Hotkeys::sequence(Hotkeys::keyText(action)));
}

} // namespace

Memora_MainWindow_Study::Memora_MainWindow_Study(const QString &userName, int courseId,
                                                 const QString &courseName,
                                                 CourseCategoryMgr *categoryMgr,
                                                 CSpeakBase *speaker, QWidget *parent)
    : QDialog(parent), m_userName(userName), m_courseId(courseId), m_courseName(courseName),
      m_categoryMgr(categoryMgr), m_speaker(speaker)
{
    setupUi(this);
    setWindowTitle(Product::displayName());
    setWindowIcon(QIcon(QStringLiteral(":/images/Memora.ico")));

    m_idleTimer = new QTimer;
    m_idleTimer->setInterval(kIdleMs);
    m_filter = new MyEventFilter;
    g_pStudyWindow = this;

    m_learnMgr = new LearnMgr(m_userName, m_courseId, m_categoryMgr, m_speaker);

    m_showExample = m_learnMgr->learnSetMgr()->showES();
    m_showStatistics = m_learnMgr->learnSetMgr()->showSI();
    m_fullScreen =
        g_pSettings ? g_pSettings->value(QStringLiteral("Learn/FullScr"), false).toBool() : false;

    m_operate = new Memora_MainWindow_LearnOperate(m_learnMgr, this);
    m_question = new Memora_MainWindow_StudyQuestion(m_speaker, this);
    m_answer = new Memora_MainWindow_LearnAnswer(this);
    m_example = new Memora_MainWindow_LearnBigInfo(this);

    m_actFullScreen = new QAction(tr("全屏"), this);
    m_actExample = new QAction(tr("显示例句"), this);
    m_actStatistics = new QAction(tr("统计信息"), this);
    for (QAction *action : {m_actFullScreen, m_actExample, m_actStatistics})
        action->setCheckable(true);
    m_actFullScreen->setChecked(m_fullScreen);
    m_actExample->setChecked(m_showExample);
    m_actStatistics->setChecked(m_showStatistics);
    m_menu = new QMenu(tBtn_infoMode);
    m_menu->addAction(m_actFullScreen);
    m_menu->addAction(m_actExample);
    m_menu->addAction(m_actStatistics);
    m_actUndo = new QAction(tr("撤销"), this);
    m_actUndo->setShortcut(QKeySequence::Undo);
    m_actUndo->setEnabled(false);
    m_menu->addSeparator();
    m_menu->addAction(m_actUndo);
    tBtn_infoMode->setMenu(m_menu);
    // The actions' shortcuts work while the menu is closed.
    addActions({m_actFullScreen, m_actExample, m_actStatistics, m_actUndo});

    qDebug().noquote() << QStringLiteral("[%1] 进入单词学习模块").arg(m_userName);

    if (Hotkeys::advancedMode() && m_learnMgr->isCourseUntouched()) {
        Memora_MainWindow_StudyParameter parameters(m_learnMgr->learnSetMgr(), m_userName,
                                                    m_courseId, this);
        parameters.exec();
    }

    setWindowFlags(Qt::Window);
    qApp->installEventFilter(m_filter);
    lab_courseName->setToolTip(m_courseName);
    elideCourseName();

    stWi_operate->addWidget(m_operate);
    stWi_operate->setCurrentWidget(m_operate);
    stWi_question->addWidget(m_question);
    stWi_question->setCurrentWidget(m_question);
    stWi_answer->addWidget(m_answer);
    stWi_answer->setCurrentWidget(m_answer);
    stWi_info->addWidget(m_example);
    stWi_info->setCurrentWidget(m_example);

    connect(this, &Memora_MainWindow_Study::studyStateChanged, m_operate,
            &Memora_MainWindow_LearnOperate::showInfo);
    connect(m_operate, &Memora_MainWindow_LearnOperate::studyStateChanged, this,
            &Memora_MainWindow_Study::studyState);
    connect(this, &Memora_MainWindow_Study::studyStateChanged, m_question,
            &Memora_MainWindow_StudyQuestion::showInfo);
    connect(this, &Memora_MainWindow_Study::studyStateChanged, m_answer,
            &Memora_MainWindow_LearnAnswer::showInfo);
    connect(this, &Memora_MainWindow_Study::studyStateChanged, m_example,
            &Memora_MainWindow_LearnBigInfo::showInfo);
    connect(this, &Memora_MainWindow_Study::studyStateChanged, this,
            &Memora_MainWindow_Study::showInfo);
    connect(m_actExample, &QAction::toggled, this, &Memora_MainWindow_Study::showExample);
    connect(m_actFullScreen, &QAction::toggled, this, &Memora_MainWindow_Study::showFullScr);
    connect(m_actStatistics, &QAction::toggled, this, &Memora_MainWindow_Study::showStaticsInfo);
    connect(m_actUndo, &QAction::triggered, this, &Memora_MainWindow_Study::undoAnswer);
    connect(m_filter, &MyEventFilter::resetMyTimer, this, &Memora_MainWindow_Study::resetMyTimer);
    connect(m_idleTimer, &QTimer::timeout, this, &Memora_MainWindow_Study::idleTimeStart);

    applySkin();
    installHotkeys();
    installHelpTexts();

    frame_maindisply->setFixedHeight(mainDisplayHeight());

    loadNextWord();
    emit studyStateChanged(MEMORA_LERAN::STATE_ASK);

    m_example->showExample(m_showExample);
    stackedWidget_staticsInfo->setVisible(m_showStatistics);

    m_idleTimer->setSingleShot(true);
    // Write-backs finish on their own thread; a failure shows within a second even when
    // the learner has stopped answering.
    auto *saveCheck = new QTimer(this);
    saveCheck->setInterval(kSaveCheckMs);
    connect(saveCheck, &QTimer::timeout, this, &Memora_MainWindow_Study::checkGradingsSaved);
    saveCheck->start();
    showStudyGUI();
}

Memora_MainWindow_Study::~Memora_MainWindow_Study()
{
    if (!m_closed) {
        // A window that could not start: its session is still recorded.
        delete m_learnMgr;
        m_learnMgr = nullptr;
        releaseFilterAndTimer();
    }
    qDebug().noquote() << QStringLiteral("[%1] 已退出单词学习模块").arg(m_userName);
    if (g_pStudyWindow == this)
        g_pStudyWindow = nullptr;
}

void Memora_MainWindow_Study::releaseFilterAndTimer()
{
    delete m_idleTimer;
    m_idleTimer = nullptr;
    if (m_filter) {
        qApp->removeEventFilter(m_filter);
        delete m_filter;
        m_filter = nullptr;
    }
}

void Memora_MainWindow_Study::loadNextWord()
{
    if (!m_learnMgr)
        return;
    const int r = m_learnMgr->nextWord();
    m_nextWordResult = r;
    if (r < 1) {
        // "Every word learned" also comes back when the record could not be made or read.
        const bool unreadable =
            r == LearnCode::AllKnown && m_learnMgr && !QFileInfo::exists(m_learnMgr->recordPath());
        endStudy(r, unreadable);
        return;
    }
    showCurrentWord();
}

void Memora_MainWindow_Study::showCurrentWord()
{
    const WordInfo &info = m_learnMgr->currentWord();
    const int r = info.value(QStringLiteral("id")).toInt();
    if (info.value(QStringLiteral("word")).toString().trimmed().isEmpty()) {
        // The record names a word the course file does not give back.
        qWarning().noquote()
            << QStringLiteral("[%1] 无法读取单词 %2 (%3)").arg(m_userName).arg(r).arg(m_courseName);
        m_nextWordResult = LearnCode::AllKnown;
        endStudy(m_nextWordResult, true);
        return;
    }
    m_word = info.value(QStringLiteral("word")).toString().trimmed();
    m_phonetic = info.value(QStringLiteral("phonetic")).toString();
    m_trans = info.value(QStringLiteral("trans")).toString().trimmed();
    m_esentence = info.value(QStringLiteral("esentence"))
                      .toString()
                      .replace(QLatin1Char('|'), QLatin1Char('\n'))
                      .trimmed();
    m_wordId = info.value(QStringLiteral("id")).toUInt();
    fillPanels();
    layoutPanels();
}

void Memora_MainWindow_Study::endStudy(int result, bool unreadable)
{
    QString text;
    if (unreadable)
        text = tr("[%1] 无法读取课程或学习记录……\n请检查课程文件和学习记录是否完好。");
    else if (result == LearnCode::QuotaUsed)
        text = tr("[%1] 今天的学习任务完成！\n您可以学习其它课程或者休息片刻……");
    else if (result == LearnCode::AllKnown)
        text = tr("完成[%1]课本的学习！\n恭喜您！您已经记住该课本的全部单词了……");
    else if (result == LearnCode::InUse)
        text = tr("[%1] 的学习记录正在另一个学习窗口中使用……\n请先结束那里的学习，再回到这里。");
    else if (result == LearnCode::NothingDue)
        text = tr("[%1]当前没有需要学习的新单词，也没有需要复习的旧单词！\n 您可以学习其它课程 ……");
    if (!text.isEmpty())
        QMessageBox::information(this, Product::displayName(), text.arg(m_courseName));
    QTimer::singleShot(kCloseDelayMs, this, &Memora_MainWindow_Study::on_tBtn_exit_clicked);
}

void Memora_MainWindow_Study::fillPanels()
{
    refreshStatistics();
    m_question->setWord(m_word, m_phonetic);
    m_answer->setAnswer(m_trans);
    m_example->setExample(m_esentence);
}

void Memora_MainWindow_Study::refreshStatistics()
{
    if (!m_learnMgr)
        return;
    const QString count = tr("<font color=#FF4D00>%1</color>");
    const QString newWords = count.arg(m_learnMgr->newWordCount());
    const QString oldWords = count.arg(m_learnMgr->oldWordCount());
    const QString knownWell = count.arg(m_learnMgr->knownWellCount());
    const QString speed = count.arg(m_learnMgr->studySpeed());
    lab_newWord->setText(newWords);
    lab_newWord_2->setText(newWords);
    lab_oldWord->setText(oldWords);
    lab_oldWord_2->setText(oldWords);
    lab_konwWell->setText(knownWell);
    lab_konwWell_2->setText(knownWell);
    lab_studySpeed->setText(speed);
    lab_studySpeed_2->setText(speed);
    // The progress reads the whole record: it follows once the new word is painted, so the
    // word appears at once after the key.
    if (!m_progressPending) {
        m_progressPending = true;
        QTimer::singleShot(0, this, &Memora_MainWindow_Study::refreshProgress);
    }
}

void Memora_MainWindow_Study::refreshProgress()
{
    m_progressPending = false;
    if (!m_learnMgr)
        return;
    const QString progress =
        tr("<font color=#FF4D00>%1%</color>").arg(double(m_learnMgr->progressPercent()), 0, 'f', 2);
    lab_pacedlearning->setText(progress);
    lab_pacedlearning_2->setText(progress);
}

void Memora_MainWindow_Study::checkGradingsSaved()
{
    if (!m_learnMgr)
        return;
    const bool saved = m_learnMgr->gradingsSaved();
    if (saved == m_savedShown)
        return;
    m_savedShown = saved;
    if (saved) {
        lab_tipFix->clear();
        lab_tipFix->setStyleSheet(QString());
        qDebug().noquote() << QStringLiteral("[%1] 学习记录已重新保存").arg(m_userName);
    } else {
        lab_tipFix->setText(tr("学习记录暂时无法保存，刚才的评判尚未写入！"));
        lab_tipFix->setStyleSheet(QStringLiteral("color: #D00000; font-weight: bold;"));
        qWarning().noquote() << QStringLiteral("[%1] 学习记录保存失败:").arg(m_userName)
                             << m_learnMgr->saveError();
    }
}

void Memora_MainWindow_Study::studyState(MEMORA_LERAN::learnState state_t)
{
    if (m_closed)
        return;
    checkGradingsSaved();
    if (state_t == MEMORA_LERAN::STATE_ASK)
        loadNextWord();
    emit studyStateChanged(state_t);
}

void Memora_MainWindow_Study::undoAnswer()
{
    if (m_closed || !m_learnMgr || m_learnMgr->undo() <= 0)
        return;
    qDebug().noquote() << QStringLiteral("[%1] 撤销上一次评判").arg(m_userName);
    showCurrentWord();
    emit studyStateChanged(MEMORA_LERAN::STATE_ASK);
}

void Memora_MainWindow_Study::showInfo(MEMORA_LERAN::learnState state_t)
{
    if (m_actUndo)
        m_actUndo->setEnabled(m_learnMgr && m_learnMgr->canUndo());
    switch (state_t) {
    case MEMORA_LERAN::STATE_ASK:
        m_state = state_t;
        SetHotkeyAsk();
        lab_tip->setText(tr("您记得该单词吗？（判断不要超过5秒）"));
        if (Hotkeys::advancedMode())
            m_operate->showAdvanced();
        else
            m_operate->showSimple();
        break;
    case MEMORA_LERAN::STATE_CONFIRM:
        m_state = state_t;
        setHotkeyConfirm();
        lab_tip->setText(tr("您刚才的判断正确吗？"));
        break;
    case MEMORA_LERAN::STATE_LEARN:
        m_state = state_t;
        setHotkeyLearn();
        lab_tip->setText(tr("请听读音并跟读，记忆"));
        break;
    }
}

void Memora_MainWindow_Study::showExample(bool show)
{
    m_showExample = show;
    m_example->showExample(show);
    if (m_learnMgr)
        m_learnMgr->learnSetMgr()->setShowES(show);
    layoutPanels();
}

void Memora_MainWindow_Study::showFullScr(bool full)
{
    m_fullScreen = full;
    showStudyGUI();
    if (g_pSettings)
        g_pSettings->setValue(QStringLiteral("Learn/FullScr"), full);
}

void Memora_MainWindow_Study::showStaticsInfo(bool show)
{
    m_showStatistics = show;
    stackedWidget_staticsInfo->setVisible(show);
    if (m_learnMgr)
        m_learnMgr->learnSetMgr()->setShowSI(show);
}

void Memora_MainWindow_Study::on_tBtn_exit_clicked()
{
    close();
}

void Memora_MainWindow_Study::on_tBtn_whatThis_clicked()
{
    QWhatsThis::enterWhatsThisMode();
}

void Memora_MainWindow_Study::SetHotkeyAsk()
{
    if (Hotkeys::advancedMode()) {
        setShortcut(m_operate->pBtn_knowWell, QStringLiteral("KnowWell"));
        setShortcut(m_operate->pBtn_plain, QStringLiteral("Plain"));
        setShortcut(m_operate->pBtn_dim, QStringLiteral("Dim"));
        setShortcut(m_operate->pBtn_oblivious, QStringLiteral("Oblivious"));
        setShortcut(m_operate->pBtn_unknown, QStringLiteral("Unknown"));
    } else {
        // The simple mode offers two grades; the hidden buttons keep no key.
        m_operate->pBtn_knowWell->setShortcut(QKeySequence());
        m_operate->pBtn_dim->setShortcut(QKeySequence());
        m_operate->pBtn_unknown->setShortcut(QKeySequence());
        setShortcut(m_operate->pBtn_plain, QStringLiteral("Plain"));
        setShortcut(m_operate->pBtn_oblivious, QStringLiteral("Oblivious"));
    }
}

void Memora_MainWindow_Study::setHotkeyConfirm()
{
    setShortcut(m_operate->pBtn_right, QStringLiteral("Right"));
    setShortcut(m_operate->pBtn_error, QStringLiteral("Error"));
}

void Memora_MainWindow_Study::setHotkeyLearn()
{
    setShortcut(m_operate->pBtn_next, QStringLiteral("Next"));
}

void Memora_MainWindow_Study::installHotkeys()
{
    auto *clicker = new ShortcutClicker(this);
    const QList<QAbstractButton *> buttons{m_operate->pBtn_knowWell,
                                           m_operate->pBtn_plain,
                                           m_operate->pBtn_dim,
                                           m_operate->pBtn_oblivious,
                                           m_operate->pBtn_unknown,
                                           m_operate->pBtn_right,
                                           m_operate->pBtn_error,
                                           m_operate->pBtn_next,
                                           m_question->tBtn_speak,
                                           tBtn_exit,
                                           tBtn_whatThis};
    for (QAbstractButton *button : buttons)
        clicker->watch(button);
    setShortcut(m_question->tBtn_speak, QStringLiteral("Speak"));
    m_actStatistics->setShortcut(Hotkeys::sequence(Hotkeys::keyText(QStringLiteral("ShowSI"))));
    m_actExample->setShortcut(Hotkeys::sequence(Hotkeys::keyText(QStringLiteral("ShowEs"))));
    m_actFullScreen->setShortcut(
        Hotkeys::sequence(Hotkeys::keyText(QStringLiteral("ShowFullScreen"))));
    setShortcut(tBtn_exit, QStringLiteral("ExitLearn"));
    setShortcut(tBtn_whatThis, QStringLiteral("Helper"));
}

void Memora_MainWindow_Study::idleTimeStart()
{
    m_idle = true;
    if (m_learnMgr) {
        m_learnMgr->pauseTiming();
        checkGradingsSaved();
    }
}

void Memora_MainWindow_Study::resetMyTimer()
{
    if (m_idleTimer)
        m_idleTimer->start(kIdleMs);
    if (m_idle) {
        if (m_learnMgr)
            m_learnMgr->resumeTiming();
        m_idle = false;
    }
}

void Memora_MainWindow_Study::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (m_closed)
        return;
    m_closed = true;
    qDebug().noquote() << QStringLiteral("[%1] 正在退出单词学习模块").arg(m_userName);
    // The learner is told when the last gradings could not be written: nothing else will.
    if (m_learnMgr && !m_learnMgr->endSession())
        QMessageBox::warning(this, Product::displayName(),
                             tr("[%1] 本次学习的部分评判未能写入学习记录！\n%2")
                                 .arg(m_courseName, m_learnMgr->saveError()));
    delete m_learnMgr;
    m_learnMgr = nullptr;
    m_operate->setLearnMgr(nullptr);
    releaseFilterAndTimer();
    emit exitStudy();
}

void Memora_MainWindow_Study::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void Memora_MainWindow_Study::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    layoutPanels();
    stackedWidget_staticsInfo->setCurrentIndex(
        StudyGeometry::compactStatistics(frameGeometry().width()) ? 1 : 0);
    elideCourseName();
}

void Memora_MainWindow_Study::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslateUi(this);
        setWindowTitle(Product::displayName());
        elideCourseName();
        // The form's texts are back; the state's tip line goes on top again.
        showInfo(m_state);
    }
    QDialog::changeEvent(event);
}
