#include "app/clock.h"
#include "modalanswer.h"
#include "speech/cspeakbase.h"
#include "study/memora_mainwindow_learnoperate.h"
#include "study/memora_mainwindow_study.h"
#include "study/memora_mainwindow_studyquestion.h"
#include "studyfixture.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QtTest>

namespace {

class SilentSpeaker : public CSpeakBase
{
public:
    bool Speak(QString) override { return true; }
};

QString count(int n)
{
    return QStringLiteral("<font color=#FF4D00>%1</color>").arg(n);
}

} // namespace

// Taking answers back in the study window: Ctrl+Z and the options menu's "撤销".
class TestStudyUndo : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void undoShowsTheWordAgainInTheAskState();

private:
    static QString word(Memora_MainWindow_Study &w) { return w.questionPanel()->lab_word->text(); }
    static int page(Memora_MainWindow_Study &w)
    {
        return w.operatePanel()->stackedWidget_operateState->currentIndex();
    }
};

void TestStudyUndo::undoShowsTheWordAgainInTheAskState()
{
    Clock::setOffsetSeconds(0);
    StudyFixture fixture;
    QVERIFY(fixture.courseId() > 0);
    fixture.setAdvancedMode(true);
    SilentSpeaker speaker;
    ModalAnswer answerer; // the study parameters of an untouched course
    Memora_MainWindow_Study w(QStringLiteral("alice"), fixture.courseId(),
                              QString::fromUtf8(StudyFixture::kCourseName), fixture.tree(),
                              &speaker);
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QAction *undo = w.undoAction();
    QVERIFY(undo && w.tBtn_infoMode->menu()->actions().contains(undo));
    QCOMPARE(undo->text(), QStringLiteral("撤销"));
    QVERIFY(!undo->isEnabled());

    const QString first = word(w);
    QTest::keyClick(&w, Qt::Key_F1); // known well: the next word
    const QString second = word(w);
    QVERIFY(second != first);
    QVERIFY(undo->isEnabled());
    QTest::keyClick(&w, Qt::Key_F2); // remembered: confirm state
    QCOMPARE(page(w), 1);

    // Ctrl+Z in the confirm state: the same word, asked again.
    QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(page(w), 0);
    QCOMPARE(word(w), second);
    QCOMPARE(w.lab_newWord->text(), count(2));
    QCOMPARE(w.lab_konwWell->text(), count(1));
    // Again: the word before, and the counts before it was graded.
    QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(word(w), first);
    QCOMPARE(w.lab_newWord->text(), count(1));
    QCOMPARE(w.lab_konwWell->text(), count(0));
    QVERIFY(!undo->isEnabled());

    // The menu entry does the same.
    QTest::keyClick(&w, Qt::Key_F5); // unknown: learn state
    QCOMPARE(page(w), 2);
    QVERIFY(undo->isEnabled());
    undo->trigger();
    QCOMPARE(page(w), 0);
    QCOMPARE(word(w), first);
    QVERIFY(!undo->isEnabled());

    // Nothing undone reaches the record.
    QTest::keyClick(&w, Qt::Key_F10);
    QCOMPARE(fixture.column("select count(*) from TSTUDYWORD where times > 0").value(0).toInt(), 0);
    QCOMPARE(fixture.column("select SNWord from TUSELOG").value(0).toInt(), 1);
}

QTEST_MAIN(TestStudyUndo)
#include "tst_undo.moc"
