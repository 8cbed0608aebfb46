#include "learn/learncoursedb.h"
#include "learn/learnsetmgr.h"
#include "modalanswer.h"
#include "testroot.h"
#include "user/memora_forgottenpointmodel.h"
#include "user/memora_mainwindow_forgopointinput.h"
#include "user/memora_mainwindow_studyparameter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

// Answers the modal windows of the dialog: the input dialog with the next prepared action,
// message boxes by recording their text and pressing their first button.
class Answerer : public QObject
{
public:
    QList<std::function<void(Memora_MainWindow_ForgoPointInput *)>> inputs;
    QStringList texts;

    Answerer()
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            QWidget *modal = QApplication::activeModalWidget();
            if (acceptMessageBox(modal, texts)) {
                m_armed = true;
            } else if (auto *input = qobject_cast<Memora_MainWindow_ForgoPointInput *>(modal)) {
                // One action per input dialog, and one more after each warning it showed.
                if (input == m_lastInput && !m_armed)
                    return;
                m_lastInput = input;
                m_armed = false;
                if (inputs.isEmpty())
                    input->reject();
                else
                    inputs.takeFirst()(input);
            }
        });
        m_timer.start(0);
    }

private:
    QTimer m_timer;
    QPointer<QWidget> m_lastInput;
    bool m_armed = true;
};

// Enters days, hours and minutes and presses OK.
std::function<void(Memora_MainWindow_ForgoPointInput *)> enter(int d, int h, int m)
{
    return [=](Memora_MainWindow_ForgoPointInput *input) {
        input->spBox_day->setValue(d);
        input->spBox_hour->setValue(h);
        input->spBox_minute->setValue(m);
        // Clicked from the event loop: the warning it may open runs a loop of its own.
        QMetaObject::invokeMethod(input->pBtn_ok, &QPushButton::click, Qt::QueuedConnection);
    };
}

} // namespace

class TestStudyParameter : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void pointsReadAsDaysHoursMinutes_data();
    void pointsReadAsDaysHoursMinutes();
    void addedPointIsStoredInSeconds();
    void zeroPointIsRefused();
    void wordsPerDayByMode_data();
    void wordsPerDayByMode();
    void pointsMoveWithinTheList();

private:
    TestRoot *m_root = nullptr;
    LearnCourseDB *m_record = nullptr;
    LearnSetMgr *m_settings = nullptr;
};

void TestStudyParameter::initTestCase()
{
    QApplication::setApplicationDisplayName(QStringLiteral("Memora"));
}

void TestStudyParameter::init()
{
    m_root = new TestRoot;
    m_record = new LearnCourseDB(m_root->filePath(QStringLiteral("/udata/alice/o1.ldb")));
    m_settings = new LearnSetMgr(m_record);
}

void TestStudyParameter::cleanup()
{
    delete m_settings;
    delete m_record;
    delete m_root;
}

void TestStudyParameter::pointsReadAsDaysHoursMinutes_data()
{
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("5 minutes") << 300 << "5分";
    QTest::newRow("15 days") << 1296000 << "15天";
    QTest::newRow("day hour minute") << 90061 << "1天1小时1分";
    QTest::newRow("day and minute") << 86460 << "1天0小时1分";
    QTest::newRow("day and hours") << 108000 << "1天6小时";
    QTest::newRow("hours and minutes") << 5400 << "1小时30分";
    QTest::newRow("12 hours") << 43200 << "12小时";
    QTest::newRow("under a minute") << 59 << "";
}

void TestStudyParameter::pointsReadAsDaysHoursMinutes()
{
    QFETCH(int, seconds);
    QFETCH(QString, text);
    Memora_ForgottenPointModel model;
    model.setPoints({seconds});
    QCOMPARE(model.data(model.index(0, 0)).toString(), text);
    QCOMPARE(model.data(model.index(0, 0), Qt::TextAlignmentRole).toInt(),
             int(Qt::AlignHCenter | Qt::AlignVCenter));
    // The input dialog opens on the same split.
    Memora_MainWindow_ForgoPointInput input(seconds);
    QCOMPARE(input.value(), seconds - seconds % 60);
}

void TestStudyParameter::addedPointIsStoredInSeconds()
{
    m_settings->setForgettingPoints({300, 1800});
    Memora_MainWindow_StudyParameter dialog(m_settings, QStringLiteral("alice"), 7);
    QCOMPARE(dialog.taVi_forgottenPoint->currentIndex().row(), 0);
    Answerer answerer;
    answerer.inputs << enter(0, 30, 0);
    dialog.taVi_forgottenPoint->setCurrentIndex(dialog.pointModel()->index(1, 0));
    dialog.pBtn_add->click();
    QCOMPARE(dialog.pointModel()->data(dialog.pointModel()->index(1, 0)).toString(),
             QStringLiteral("1天6小时"));
    dialog.pBtn_OK->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(m_settings->forgettingPoints(), QList<int>({300, 108000, 1800}));
}

void TestStudyParameter::zeroPointIsRefused()
{
    Memora_MainWindow_StudyParameter dialog(m_settings, QStringLiteral("alice"), 7);
    Answerer answerer;
    bool stillOpen = false;
    answerer.inputs << enter(0, 0, 0) << [&](Memora_MainWindow_ForgoPointInput *input) {
        stillOpen = input->isVisible();
        QMetaObject::invokeMethod(input->pBtn_cancel, &QPushButton::click, Qt::QueuedConnection);
    };
    dialog.pBtn_modify->click();
    QVERIFY(stillOpen);
    QCOMPARE(answerer.texts, QStringList{QStringLiteral(
                                 "遗忘点不能小于或等于零时间，请重新输入遗忘点或放弃输入！")});
    QCOMPARE(dialog.pointModel()->points(), m_settings->forgettingPoints());
}

void TestStudyParameter::wordsPerDayByMode_data()
{
    QTest::addColumn<int>("storedMode");
    QTest::addColumn<QString>("clicks"); // radio buttons clicked, in order
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("wordsPerDay");
    QTest::newRow("free keeps the quota") << 1 << "plan free"
                                          << "77" << 1 << 40;
    QTest::newRow("plan takes the field") << 1 << "plan"
                                          << "77" << 2 << 77;
    QTest::newRow("empty plan field") << 2 << ""
                                      << "" << 2 << 100;
    QTest::newRow("not a number") << 2 << ""
                                  << "many" << 2 << 0;
}

void TestStudyParameter::wordsPerDayByMode()
{
    QFETCH(int, storedMode);
    QFETCH(QString, clicks);
    QFETCH(QString, typed);
    QFETCH(int, mode);
    QFETCH(int, wordsPerDay);
    m_settings->setLearnMode(storedMode);
    m_settings->setPlanWordCount(40);
    Memora_MainWindow_StudyParameter dialog(m_settings, QStringLiteral("alice"), 7);
    QCOMPARE(dialog.liEd_wordCount->text(), QStringLiteral("40"));
    QCOMPARE(dialog.frame_wordCount->isEnabled(), storedMode == 2);
    for (const QString &click : clicks.split(' ', Qt::SkipEmptyParts)) {
        (click == "plan" ? dialog.rBtn_planMode : dialog.rBtn_freeMode)->click();
        if (click == "plan")
            dialog.liEd_wordCount->setText(typed);
    }
    if (clicks.isEmpty())
        dialog.liEd_wordCount->setText(typed);
    dialog.pBtn_OK->click();
    QCOMPARE(m_settings->learnMode(), mode);
    QCOMPARE(m_settings->planWordCount(), wordsPerDay);
}

void TestStudyParameter::pointsMoveWithinTheList()
{
    m_settings->setForgettingPoints({300, 1800, 43200});
    Memora_MainWindow_StudyParameter dialog(m_settings, QStringLiteral("alice"), 7);
    dialog.tBtn_up->click(); // row 0 upwards: nothing moves
    QCOMPARE(dialog.pointModel()->points(), QList<int>({300, 1800, 43200}));
    dialog.tBtn_down->click();
    QCOMPARE(dialog.pointModel()->points(), QList<int>({1800, 300, 43200}));
    QCOMPARE(dialog.taVi_forgottenPoint->currentIndex().row(), 1);
    dialog.tBtn_down->click();
    dialog.tBtn_down->click(); // last row downwards: nothing moves
    QCOMPARE(dialog.pointModel()->points(), QList<int>({1800, 43200, 300}));
    Answerer answerer;
    dialog.pBtn_del->click();
    QCOMPARE(answerer.texts, QStringList{QStringLiteral("确定要删除 [300] 遗忘点?")});
    dialog.pBtn_Cancel->click();
    QCOMPARE(m_settings->forgettingPoints(), QList<int>({300, 1800, 43200}));
    QCOMPARE(dialog.pointModel()->points(), QList<int>({1800, 43200}));
}

QTEST_MAIN(TestStudyParameter)
#include "tst_studyparameter.moc"
