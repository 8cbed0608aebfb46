#include "app/clock.h"
#include "app/settings.h"
#include "learn/learnmgr.h"
#include "learn/learnsetmgr.h"
#include "speech/cspeakbase.h"
#include "study/memora_mainwindow_learnanswer.h"
#include "study/memora_mainwindow_learnbiginfo.h"
#include "study/memora_mainwindow_learnoperate.h"
#include "study/memora_mainwindow_study.h"
#include "study/memora_mainwindow_studyquestion.h"
#include "studyfixture.h"

#include "modalanswer.h"
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <QtTest>

#include <memory>

namespace {

class RecordingSpeaker : public CSpeakBase
{
public:
    bool Speak(QString word) override
    {
        said << word;
        return true;
    }
    QStringList said;
};

// Counts the context menus that reach it.
class MenuTarget : public QWidget
{
public:
    int menus = 0;

protected:
    void contextMenuEvent(QContextMenuEvent *) override { ++menus; }
};

const QString kAskTip = QStringLiteral("您记得该单词吗？（判断不要超过5秒）");
const QString kConfirmTip = QStringLiteral("您刚才的判断正确吗？");
const QString kLearnTip = QStringLiteral("请听读音并跟读，记忆");

QString count(int n)
{
    return QStringLiteral("<font color=#FF4D00>%1</color>").arg(n);
}

} // namespace

class TestDrill : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void advancedDrillByKeyboard();
    void simpleDrillByKeyboard();
    void endOfWordsTellsWhyAndCloses_data();
    void endOfWordsTellsWhyAndCloses();
    void windowThatCannotStartIsDeletedAtOnce();
    void idleSpanJoinsThePausedTotal();
    void switchesHoldForTheNextWindow();
    void escapeAndContextMenusDoNothing();
    void failedWriteBackShowsRedLineAndDrillGoesOn();
    void closingWithUnsavedGradingsSaysSo();

private:
    // Opens the study window of the 30-word course and makes it the active window.
    std::unique_ptr<Memora_MainWindow_Study> open(int courseId = 0);
    static QString word(Memora_MainWindow_Study &w) { return w.questionPanel()->lab_word->text(); }
    static int page(Memora_MainWindow_Study &w)
    {
        return w.operatePanel()->stackedWidget_operateState->currentIndex();
    }
    // The texts of the ask page's visible buttons, left to right.
    static QStringList askButtons(Memora_MainWindow_Study &w);
    // Presses key and checks the state, tip and word that follow.
    void press(Memora_MainWindow_Study &w, Qt::Key key, int expectedPage, const QString &tip);

    StudyFixture *m_fixture = nullptr;
    RecordingSpeaker m_speaker;
};

void TestDrill::init()
{
    Clock::setOffsetSeconds(0);
    m_fixture = new StudyFixture;
    QVERIFY(m_fixture->courseId() > 0);
    m_speaker.said.clear();
}

void TestDrill::cleanup()
{
    Clock::setOffsetSeconds(0);
    delete m_fixture;
    m_fixture = nullptr;
}

std::unique_ptr<Memora_MainWindow_Study> TestDrill::open(int courseId)
{
    auto w = std::make_unique<Memora_MainWindow_Study>(
        QStringLiteral("alice"), courseId ? courseId : m_fixture->courseId(),
        QString::fromUtf8(StudyFixture::kCourseName), m_fixture->tree(), &m_speaker);
    if (w->isVisible()) {
        QApplication::setActiveWindow(w.get());
        if (!QTest::qWaitForWindowActive(w.get()))
            qWarning("study window not active");
    }
    return w;
}

QStringList TestDrill::askButtons(Memora_MainWindow_Study &w)
{
    QStringList texts;
    QWidget *askPage = w.operatePanel()->page_askState;
    QList<QPushButton *> buttons = askPage->findChildren<QPushButton *>();
    std::sort(buttons.begin(), buttons.end(),
              [](QPushButton *a, QPushButton *b) { return a->x() < b->x(); });
    for (QPushButton *b : buttons)
        if (b->isVisibleTo(askPage))
            texts << b->text();
    return texts;
}

void TestDrill::press(Memora_MainWindow_Study &w, Qt::Key key, int expectedPage, const QString &tip)
{
    QTest::keyClick(&w, key);
    QCOMPARE(page(w), expectedPage);
    QCOMPARE(w.lab_tip->text(), tip);
}

void TestDrill::advancedDrillByKeyboard()
{
    m_fixture->setAdvancedMode(true);
    // An untouched course asks for its study parameters first, in advanced mode.
    ModalAnswer answerer;
    auto w = open();
    QCOMPARE(answerer.dialogs(), QStringList{QStringLiteral("Memora_MainWindow_StudyParameter")});
    QVERIFY(w->nextWordResult() > 0);
    QSignalSpy exits(w.get(), &Memora_MainWindow_Study::exitStudy);
    QCOMPARE(askButtons(*w), QStringList({"未知", "忘记", "模糊", "记得", "掌握"}));
    QCOMPARE(w->lab_tip->text(), kAskTip);
    QCOMPARE(w->lab_courseName->toolTip(), QString::fromUtf8(StudyFixture::kCourseName));

    QStringList words{word(*w)};
    QCOMPARE(m_speaker.said, QStringList{words.last()});
    QCOMPARE(w->lab_newWord->text(), count(1));
    QCOMPARE(w->lab_newWord_2->text(), count(1));

    // F1 in the ask state: known well, straight to the next word.
    press(*w, Qt::Key_F1, 0, kAskTip);
    QVERIFY(word(*w) != words.last());
    words << word(*w);
    QCOMPARE(w->lab_newWord->text(), count(2));
    QCOMPARE(w->lab_konwWell->text(), count(1));

    // Remembered, then right: a new word.
    press(*w, Qt::Key_F2, 1, kConfirmTip);
    QVERIFY(!w->answerPanel()->teEdit_answerTxt->isHidden());
    press(*w, Qt::Key_F1, 0, kAskTip);
    QVERIFY(w->answerPanel()->teEdit_answerTxt->isHidden());
    QVERIFY(word(*w) != words.last());
    words << word(*w);

    // Remembered, then wrong: the learn state of the same word, F1 moves on.
    press(*w, Qt::Key_F2, 1, kConfirmTip);
    press(*w, Qt::Key_F2, 2, kLearnTip);
    QCOMPARE(word(*w), words.last());
    press(*w, Qt::Key_F1, 0, kAskTip);
    words << word(*w);

    // Vague leads to confirm; unknown and forgotten to learn.
    press(*w, Qt::Key_F3, 1, kConfirmTip);
    press(*w, Qt::Key_F1, 0, kAskTip);
    words << word(*w);
    press(*w, Qt::Key_F5, 2, kLearnTip);
    QCOMPARE(word(*w), words.last());
    press(*w, Qt::Key_F1, 0, kAskTip);
    words << word(*w);
    press(*w, Qt::Key_F4, 2, kLearnTip);
    press(*w, Qt::Key_F1, 0, kAskTip);
    QCOMPARE(w->lab_newWord->text(), count(7));
    const QString knownShown = w->lab_konwWell->text();
    QCOMPARE(QSet<QString>(words.begin(), words.end()).size(), 6);

    // F10 leaves; the record holds the six graded words and one session row.
    QTest::keyClick(w.get(), Qt::Key_F10);
    QCOMPARE(exits.count(), 1);
    QVERIFY(!w->isVisible());
    QVERIFY(!w->learnMgr());
    QCOMPARE(m_fixture->column("select count(*) from TUSELOG").value(0).toInt(), 1);
    QCOMPARE(m_fixture->column("select SNWord from TUSELOG").value(0).toInt(), 7);
    QCOMPARE(m_fixture->column("select count(*) from TSTUDYWORD where times > 0").value(0).toInt(),
             6);
    // Known well: the first word, and the one remembered right at its first grading.
    const int known =
        m_fixture->column("select count(*) from TSTUDYWORD where STATE = 2").value(0).toInt();
    QVERIFY(known >= 2);
    QCOMPARE(knownShown, count(known));
}

void TestDrill::simpleDrillByKeyboard()
{
    m_fixture->setAdvancedMode(false);
    ModalAnswer answerer;
    auto w = open();
    QVERIFY(answerer.dialogs().isEmpty());
    QCOMPARE(askButtons(*w), QStringList({"忘记", "记得"}));
    QSignalSpy exits(w.get(), &Memora_MainWindow_Study::exitStudy);
    const QString first = word(*w);

    // F1 remembered, F2 wrong: learn the same word; F1 next.
    press(*w, Qt::Key_F1, 1, kConfirmTip);
    QCOMPARE(w->lab_newWord->text(), count(1));
    press(*w, Qt::Key_F2, 2, kLearnTip);
    QCOMPARE(word(*w), first);
    // Spoken when shown and again in the learn state.
    QCOMPARE(m_speaker.said, QStringList({first, first}));
    press(*w, Qt::Key_F1, 0, kAskTip);
    QCOMPARE(w->lab_newWord->text(), count(2));
    // F2 forgotten: learn; F1 remembered, F1 right.
    press(*w, Qt::Key_F2, 2, kLearnTip);
    press(*w, Qt::Key_F1, 0, kAskTip);
    QCOMPARE(askButtons(*w), QStringList({"忘记", "记得"}));
    press(*w, Qt::Key_F1, 1, kConfirmTip);
    press(*w, Qt::Key_F1, 0, kAskTip);
    QCOMPARE(w->lab_newWord->text(), count(4));

    QTest::mouseClick(w->tBtn_exit, Qt::LeftButton);
    QCOMPARE(exits.count(), 1);
    QCOMPARE(m_fixture->column("select count(*) from TUSELOG").value(0).toInt(), 1);
    QCOMPARE(m_fixture->column("select count(*) from TSTUDYWORD where times > 0").value(0).toInt(),
             3);
}

void TestDrill::endOfWordsTellsWhyAndCloses_data()
{
    QTest::addColumn<QStringList>("record");
    QTest::addColumn<bool>("missingCourse");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("message");

    const QString known = QStringLiteral("update TSTUDYWORD set STATE = 2, times = 1");
    const QString notDue =
        QStringLiteral(
            "update TSTUDYWORD set STATE = 1, Step = 0, Fp = 300, times = 1, LastTime = '%1'")
            .arg(Clock::nowText());
    const QStringList plan{
        QStringLiteral("insert into TSETINFO values('main/learnMode', '2')"),
        QStringLiteral("insert into TSETINFO values('planMode/odswn', '3')"),
        QStringLiteral("insert into TUSELOG(BSTime, STLen, PauseTLen, SNWord, SOWord, "
                       "KonwWellWord) values('%1', 60, 0, 3, 0, 0)")
            .arg(Clock::nowText())};
    QTest::newRow("nothing due") << QStringList{notDue} << false << -1
                                 << "[三十词课程]当前没有需要学习的新单词，也没有需要复习的旧单词"
                                    "！\n 您可以学习其它课程 ……";
    QTest::newRow("all known") << QStringList{known} << false << -2
                               << "完成[三十词课程]课本的学习！\n恭喜您！您已经记住该课本的全部单"
                                  "词了……";
    QTest::newRow("quota used") << plan << false << -3
                                << "[三十词课程] 今天的学习任务完成！\n您可以学习其它课程或者休息"
                                   "片刻……";
    QTest::newRow("course unreadable") << QStringList() << true << -2
                                       << "[三十词课程] 无法读取课程或学习记录……\n请检查课程文件"
                                          "和学习记录是否完好。";
}

void TestDrill::endOfWordsTellsWhyAndCloses()
{
    QFETCH(QStringList, record);
    QFETCH(bool, missingCourse);
    QFETCH(int, result);
    QFETCH(QString, message);
    if (!missingCourse) {
        // A first session makes the record; the case's rows then set its words.
        delete new LearnMgr(QStringLiteral("alice"), m_fixture->courseId(), m_fixture->tree());
        QVERIFY(m_fixture->exec(QStringList{"delete from TUSELOG"} + record));
    }
    ModalAnswer answerer;
    auto w = open(missingCourse ? m_fixture->missingCourseId() : 0);
    QCOMPARE(w->nextWordResult(), result);
    QCOMPARE(answerer.texts(), QStringList{message});
    QSignalSpy exits(w.get(), &Memora_MainWindow_Study::exitStudy);
    QTRY_COMPARE(exits.count(), 1);
    QVERIFY(!w->isVisible());
    if (!missingCourse)
        QCOMPARE(
            m_fixture->column("select count(*) from TUSELOG where STLen < 60").value(0).toInt(), 1);
}

void TestDrill::windowThatCannotStartIsDeletedAtOnce()
{
    delete new LearnMgr(QStringLiteral("alice"), m_fixture->courseId(), m_fixture->tree());
    QVERIFY(m_fixture->exec({"delete from TUSELOG", "update TSTUDYWORD set STATE = 2, times = 1"}));
    ModalAnswer answerer;
    auto w = open();
    QCOMPARE(w->nextWordResult(), -2);
    QSignalSpy exits(w.get(), &Memora_MainWindow_Study::exitStudy);
    w.reset();
    QCOMPARE(m_fixture->column("select count(*) from TUSELOG").value(0).toInt(), 1);
    QTest::qWait(40);
    QCOMPARE(answerer.texts().size(), 1);
}

void TestDrill::idleSpanJoinsThePausedTotal()
{
    auto w = open();
    w->resetMyTimer();
    Clock::setOffsetSeconds(30);
    w->idleTimeStart();
    QVERIFY(w->isIdle());
    Clock::setOffsetSeconds(95);
    // Any key press in the application is input.
    QTest::keyClick(w->lab_tip, Qt::Key_Shift);
    QVERIFY(!w->isIdle());
    QCOMPARE(w->learnMgr()->pausedSeconds(), 65);
    // Input while active adds nothing.
    Clock::setOffsetSeconds(100);
    w->resetMyTimer();
    QCOMPARE(w->learnMgr()->pausedSeconds(), 65);
}

void TestDrill::switchesHoldForTheNextWindow()
{
    {
        auto w = open();
        QVERIFY(w->exampleAction()->isChecked());
        QVERIFY(w->statisticsAction()->isChecked());
        QVERIFY(!w->fullScreenAction()->isChecked());
        QTest::keyClick(w.get(), Qt::Key_F9);
        QTest::keyClick(w.get(), Qt::Key_F8);
        QTest::keyClick(w.get(), Qt::Key_F11);
        QVERIFY(!w->exampleAction()->isChecked());
        QVERIFY(w->stackedWidget_staticsInfo->isHidden());
        QCOMPARE(w->examplePanel()->stWidget_example->currentWidget()->objectName(),
                 QStringLiteral("page_blank"));
        QVERIFY(g_pSettings->value("Learn/FullScr").toBool());
        w->close();
    }
    QCOMPARE(m_fixture->column("select ItemValue from TSETINFO where ItemName = 'main/showES'"),
             QVariantList{"false"});
    QCOMPARE(m_fixture->column("select ItemValue from TSETINFO where ItemName = 'main/showSI'"),
             QVariantList{"false"});
    auto w = open();
    QVERIFY(!w->exampleAction()->isChecked());
    QVERIFY(!w->statisticsAction()->isChecked());
    QVERIFY(w->fullScreenAction()->isChecked());
    QVERIFY(w->isFullScreen());
    QVERIFY(w->stackedWidget_staticsInfo->isHidden());
    QCOMPARE(w->examplePanel()->stWidget_example->currentWidget()->objectName(),
             QStringLiteral("page_blank"));
    QTest::keyClick(w.get(), Qt::Key_F11);
    QVERIFY(!w->isFullScreen());
    QVERIFY(!g_pSettings->value("Learn/FullScr").toBool());
}

void TestDrill::escapeAndContextMenusDoNothing()
{
    MenuTarget target;
    auto w = open();
    QSignalSpy exits(w.get(), &Memora_MainWindow_Study::exitStudy);
    QTest::keyClick(w.get(), Qt::Key_Escape);
    QVERIFY(w->isVisible());
    QCOMPARE(exits.count(), 0);

    QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(1, 1));
    QApplication::sendEvent(&target, &menu);
    QCOMPARE(target.menus, 0);
    w->close();
    QApplication::sendEvent(&target, &menu);
    QCOMPARE(target.menus, 1);
}

void TestDrill::failedWriteBackShowsRedLineAndDrillGoesOn()
{
    auto w = open();
    QVERIFY(w->lab_tipFix->text().isEmpty());
    // The record stops taking writes (as a full disk would); going idle writes back.
    const auto onRecord = [&](const QString &statement) { return m_fixture->exec({statement}); };
    QVERIFY(onRecord(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON TSTUDYWORD BEGIN "
                                    "SELECT RAISE(ABORT, 'disk full'); END")));
    QTest::keyClick(w.get(), Qt::Key_F2); // forgotten
    QTest::keyClick(w.get(), Qt::Key_F1); // next
    w->idleTimeStart();
    w->resetMyTimer();
    QTRY_VERIFY_WITH_TIMEOUT(!w->lab_tipFix->text().isEmpty(), 5000);
    QVERIFY(w->lab_tipFix->styleSheet().contains(QStringLiteral("#D00000")));

    // The drill goes on, and the next write-back that succeeds clears the line.
    QVERIFY(onRecord(QStringLiteral("DROP TRIGGER refuse")));
    const QString before = word(*w);
    QTest::keyClick(w.get(), Qt::Key_F2);
    QTest::keyClick(w.get(), Qt::Key_F1);
    QVERIFY(word(*w) != before);
    w->idleTimeStart();
    w->resetMyTimer();
    QTRY_VERIFY_WITH_TIMEOUT(w->lab_tipFix->text().isEmpty(), 5000);
}

void TestDrill::closingWithUnsavedGradingsSaysSo()
{
    auto w = open();
    QVERIFY(m_fixture->exec({QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON TSTUDYWORD "
                                            "BEGIN SELECT RAISE(ABORT, 'disk full'); END")}));
    QTest::keyClick(w.get(), Qt::Key_F2); // forgotten
    QTest::keyClick(w.get(), Qt::Key_F1); // next
    ModalAnswer answer;
    w->close();
    QCOMPARE(answer.count(), 1);
    QVERIFY2(answer.lastText().contains(QStringLiteral("未能写入学习记录")),
             qPrintable(answer.lastText()));
}

QTEST_MAIN(TestDrill)
#include "tst_drill.moc"
