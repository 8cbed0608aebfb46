#include "testroot.h"
#include "update/memora_mainwindow_bubbletooltip.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

// The notifier slides up, stays while the pointer rests on it and closes itself after the
// stay time. Stay times are shortened; the slide steps are the real ones.
class TestBubbleTooltip : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void closesItselfAfterTheStayTime();
    void pointerRestingKeepsItUp_data();
    void pointerRestingKeepsItUp();
    void buttonsAnswer_data();
    void buttonsAnswer();

private:
    TestRoot m_root;
};

namespace {
void enter(QWidget *widget)
{
    QEnterEvent event(QPointF(5, 5), QPointF(5, 5), widget->mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(widget, &event);
}

void leave(QWidget *widget)
{
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(widget, &event);
}
} // namespace

void TestBubbleTooltip::closesItselfAfterTheStayTime()
{
    Memora_MainWindow_BubbleTooltip tip(QStringLiteral("更新提示"));
    tip.setMessage(QStringLiteral("新版本说明"));
    QSignalSpy finished(&tip, &QDialog::finished);
    tip.show();
    QTRY_VERIFY_WITH_TIMEOUT(tip.y() < tip.shownY(), 10000);
    QCOMPARE(tip.message(), QStringLiteral("新版本说明"));
    QCOMPARE(tip.findChild<QLabel *>("lab_title")->text(), QStringLiteral("更新提示"));

    tip.start_close(30);
    QVERIFY(tip.isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!tip.isVisible(), 10000);
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.first().value(0).toInt(), int(QDialog::Rejected));
}

void TestBubbleTooltip::pointerRestingKeepsItUp_data()
{
    QTest::addColumn<bool>("whilePoppingDown");
    QTest::newRow("pointer arrives while shown") << false;
    QTest::newRow("pointer arrives while sliding down") << true;
}

void TestBubbleTooltip::pointerRestingKeepsItUp()
{
    QFETCH(bool, whilePoppingDown);
    Memora_MainWindow_BubbleTooltip tip(QStringLiteral("更新提示"));
    tip.show();
    QTRY_VERIFY_WITH_TIMEOUT(tip.y() < tip.shownY(), 10000);
    // The rise ends at the next step after the top is reached.
    QTest::qWait(50);
    // Shown: a stay long enough that a busy machine cannot start the slide down before the
    // pointer arrives.
    tip.start_close(whilePoppingDown ? 1 : 1000);
    if (whilePoppingDown)
        QTRY_VERIFY(tip.y() > tip.shownY() + 2);
    enter(&tip);
    QCOMPARE(tip.y(), whilePoppingDown ? tip.shownY() : tip.shownY() - 1);
    QVERIFY(!tip.isStaying());
    QTest::qWait(60);
    QVERIFY(tip.isVisible());
    QVERIFY(tip.y() <= tip.shownY());

    leave(&tip);
    QVERIFY(tip.isStaying());
    QTRY_VERIFY_WITH_TIMEOUT(!tip.isVisible(), 10000);
}

void TestBubbleTooltip::buttonsAnswer_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("result");
    QTest::newRow("update") << "pBtn_update" << int(QDialog::Accepted);
    QTest::newRow("later") << "pBtn_cancel" << int(QDialog::Rejected);
}

void TestBubbleTooltip::buttonsAnswer()
{
    QFETCH(QString, button);
    QFETCH(int, result);
    Memora_MainWindow_BubbleTooltip tip(QStringLiteral("更新提示"));
    tip.start_close(8000);
    QTimer::singleShot(0, &tip, [&] { tip.findChild<QPushButton *>(button)->click(); });
    QCOMPARE(tip.exec(), result);
}

QTEST_MAIN(TestBubbleTooltip)
#include "tst_bubbletooltip.moc"
