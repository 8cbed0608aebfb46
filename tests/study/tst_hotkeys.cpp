#include "app/settings.h"
#include "study/hotkeys.h"
#include "study/memora_hotkeysmodel.h"
#include "study/memora_mainwindow_settinghotkeys.h"
#include "testroot.h"

#include <QFile>
#include <QKeyEvent>
#include <QSettings>
#include <QTextCodec>
#include <QtTest>

class TestHotkeys : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void catalogueFilesAreGb18030WithCrLf_data();
    void catalogueFilesAreGb18030WithCrLf();
    void storedKeyShowsItsState_data();
    void storedKeyShowsItsState();
    void keyCaptureGivesOneKeyWithItsModifiers_data();
    void keyCaptureGivesOneKeyWithItsModifiers();
    void restoreResetsOnlyTheShownSet();
    void studyKeysFollowTheModeAndIgnoreBadTexts_data();
    void studyKeysFollowTheModeAndIgnoreBadTexts();

private:
    // Selects the row of the action on the shown page.
    static int selectAction(Memora_MainWindow_SettingHotkeys &page, const QString &name);

    TestRoot *m_root = nullptr;
};

void TestHotkeys::init()
{
    m_root = new TestRoot;
    g_pSettings = GlobalSettings::create();
}

void TestHotkeys::cleanup()
{
    delete g_pSettings;
    g_pSettings = nullptr;
    delete m_root;
    m_root = nullptr;
}

int TestHotkeys::selectAction(Memora_MainWindow_SettingHotkeys &page, const QString &name)
{
    const bool advanced = page.stackedWidget->currentIndex() == 1;
    Memora_HotkeysModel *model = advanced ? page.advancedModel() : page.simpleModel();
    QTableView *view = advanced ? page.taVi_actions : page.taVi_actions_nor;
    for (int row = 0; row < model->rowCount(); ++row) {
        if (model->nameAt(row) == name) {
            view->setCurrentIndex(model->index(row, 0));
            return row;
        }
    }
    return -1;
}

void TestHotkeys::catalogueFilesAreGb18030WithCrLf_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("lines");
    QTest::addColumn<QStringList>("someLines");
    QTest::newRow("advanced") << ":/Setting/Resources/hotkeys.key" << 18
                              << QStringList{"Help|F1|帮助",
                                             "Speak|`|单词发音",
                                             "KnowWell|F1|掌握",
                                             "Unknown|F5|未知",
                                             "ShowFullScreen|F11|学习界面全屏模式/正常模式切换",
                                             "ExitLearn|F10|退出学习模块"};
    QTest::newRow("simple") << ":/Setting/Resources/hotkeys_nor.key" << 15
                            << QStringList{"Plain|F1|记得", "Oblivious|F2|忘记",
                                           "Helper|Shift+F1|进入帮助模式"};
}

void TestHotkeys::catalogueFilesAreGb18030WithCrLf()
{
    QFETCH(QString, file);
    QFETCH(int, lines);
    QFETCH(QStringList, someLines);
    loadDefaultHotkeysAdv(); // registers the resources
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QVERIFY(bytes.endsWith("\r\n"));
    QCOMPARE(bytes.count("\r\n"), lines);
    QCOMPARE(bytes.count('\n'), lines);
    const QStringList fileLines =
        QTextCodec::codecForName("GB18030")->toUnicode(bytes).split("\r\n", Qt::SkipEmptyParts);
    for (const QString &line : someLines)
        QVERIFY2(fileLines.contains(line), qPrintable(line));
    const HotkeyLists defaults =
        file.contains("nor") ? loadDefaultHotkeysSim() : loadDefaultHotkeysAdv();
    QCOMPARE(defaults.names.size(), lines);
    QCOMPARE(defaults.states, QList<int>(lines, HOTKEY_DEFAULT));
}

void TestHotkeys::storedKeyShowsItsState_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QString>("radio");
    QTest::addColumn<QString>("editor");
    QTest::addColumn<bool>("editable");
    QTest::newRow("nothing stored") << QVariant() << "默认"
                                    << "F1" << false;
    QTest::newRow("default stored") << QVariant("F1") << "默认"
                                    << "F1" << false;
    QTest::newRow("other key") << QVariant("F2") << "自定义"
                               << "F2" << true;
    QTest::newRow("empty") << QVariant("") << "无"
                           << "" << false;
    QTest::newRow("not a key") << QVariant("Bogus+Key") << "自定义"
                               << "Bogus+Key" << true;
}

void TestHotkeys::storedKeyShowsItsState()
{
    QFETCH(QVariant, stored);
    QFETCH(QString, radio);
    QFETCH(QString, editor);
    QFETCH(bool, editable);
    g_pSettings->setValue("Advanced/SysMode", 1);
    if (stored.isValid())
        g_pSettings->setValue("HotkeysAdv/KnowWell", stored);
    Memora_MainWindow_SettingHotkeys page;
    QCOMPARE(page.stackedWidget->currentIndex(), 1);
    QVERIFY(selectAction(page, "KnowWell") >= 0);
    const QList<QRadioButton *> radios{page.rBtn_none, page.rBtn_default, page.rBtn_custom};
    QStringList checked;
    for (QRadioButton *r : radios)
        if (r->isChecked())
            checked << r->text();
    QCOMPARE(checked, QStringList{radio});
    QCOMPARE(page.liEd_hotkey->text(), editor);
    QCOMPARE(page.liEd_hotkey->isEnabled(), editable);
}

void TestHotkeys::keyCaptureGivesOneKeyWithItsModifiers_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("shift+1") << int(Qt::Key_Exclam) << int(Qt::ShiftModifier) << "!"
                             << "!";
    QTest::newRow("shift+a") << int(Qt::Key_A) << int(Qt::ShiftModifier) << "A"
                             << "Shift+A";
    QTest::newRow("ctrl alone") << int(Qt::Key_Control) << int(Qt::ControlModifier) << ""
                                << "F7";
    QTest::newRow("ctrl+alt+k") << int(Qt::Key_K) << int(Qt::ControlModifier | Qt::AltModifier)
                                << "\x0b"
                                << "Ctrl+Alt+K";
    QTest::newRow("shift+f1") << int(Qt::Key_F1) << int(Qt::ShiftModifier) << ""
                              << "Shift+F1";
    QTest::newRow("shift+space") << int(Qt::Key_Space) << int(Qt::ShiftModifier) << " "
                                 << "Shift+Space";
}

void TestHotkeys::keyCaptureGivesOneKeyWithItsModifiers()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    g_pSettings->setValue("HotkeysSim/Speak", "F7");
    Memora_MainWindow_SettingHotkeys page;
    QCOMPARE(page.stackedWidget->currentIndex(), 0);
    const int row = selectAction(page, "Speak");
    page.rBtn_custom_nor->click();
    QVERIFY(page.liEd_hotkey_nor->isEnabled());
    QKeyEvent press(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
    QApplication::sendEvent(page.liEd_hotkey_nor, &press);
    QCOMPARE(page.liEd_hotkey_nor->text(), expected);
    QCOMPARE(page.simpleModel()->keyAt(row), expected);
    QCOMPARE(page.simpleModel()->stateAt(row), int(HOTKEY_CUSTOM));

    saveHotkeys(page.simpleModel(), true);
    QCOMPARE(g_pSettings->value("HotkeysSim/Speak").toString(), expected);
    // Every key is stored, defaults included; the other set is left alone.
    QCOMPARE(g_pSettings->value("HotkeysSim/Plain").toString(), QStringLiteral("F1"));
    QVERIFY(!g_pSettings->contains("HotkeysAdv/Plain"));
}

void TestHotkeys::restoreResetsOnlyTheShownSet()
{
    g_pSettings->setValue("HotkeysAdv/Next", "N");
    g_pSettings->setValue("HotkeysSim/Next", "");
    g_pSettings->setValue("Advanced/SysMode", 1);
    Memora_MainWindow_SettingHotkeys page;
    const int row = selectAction(page, "Next");
    QCOMPARE(page.advancedModel()->stateAt(row), int(HOTKEY_CUSTOM));
    page.pBtn_default->click();
    QCOMPARE(page.advancedModel()->keyAt(row), QStringLiteral("F1"));
    QCOMPARE(page.advancedModel()->stateAt(row), int(HOTKEY_DEFAULT));
    QCOMPARE(page.advancedModel()->rowCount(), 18);
    const HotkeyLists simple = loadHotkeysSim();
    const int simpleRow = int(simple.names.indexOf("Next"));
    QCOMPARE(page.simpleModel()->keyAt(simpleRow), QString());
    QCOMPARE(page.simpleModel()->stateAt(simpleRow), int(HOTKEY_NONE));
    // Nothing is stored before the settings dialog is accepted.
    QCOMPARE(g_pSettings->value("HotkeysAdv/Next").toString(), QStringLiteral("N"));
}

void TestHotkeys::studyKeysFollowTheModeAndIgnoreBadTexts_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QKeySequence>("sequence");
    QTest::newRow("advanced plain") << 1 << "Plain" << QVariant() << QKeySequence(Qt::Key_F2);
    QTest::newRow("simple plain") << 0 << "Plain" << QVariant() << QKeySequence(Qt::Key_F1);
    QTest::newRow("speak") << 0 << "Speak" << QVariant() << QKeySequence(Qt::Key_QuoteLeft);
    QTest::newRow("helper") << 1 << "Helper" << QVariant() << QKeySequence(Qt::SHIFT | Qt::Key_F1);
    QTest::newRow("stored") << 1 << "Right" << QVariant("Ctrl+R")
                            << QKeySequence(Qt::CTRL | Qt::Key_R);
    QTest::newRow("none") << 1 << "Right" << QVariant("") << QKeySequence();
    QTest::newRow("not a key") << 1 << "Right" << QVariant("Bogus+Key") << QKeySequence();
    QTest::newRow("absent in simple set") << 0 << "KnowWell" << QVariant() << QKeySequence();
}

void TestHotkeys::studyKeysFollowTheModeAndIgnoreBadTexts()
{
    QFETCH(int, mode);
    QFETCH(QString, action);
    QFETCH(QVariant, stored);
    QFETCH(QKeySequence, sequence);
    g_pSettings->setValue("Advanced/SysMode", mode);
    if (stored.isValid())
        g_pSettings->setValue((mode ? "HotkeysAdv/" : "HotkeysSim/") + action, stored);
    QCOMPARE(Hotkeys::sequence(Hotkeys::keyText(action)), sequence);
}

QTEST_MAIN(TestHotkeys)
#include "tst_hotkeys.moc"
