#include "fakesynthesizer.h"
#include "speech/memora_mainwindow_settingstudy.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QStackedWidget>
#include <QToolButton>
#include <QtTest>

#include <memory>

namespace {

// Answers every message box that opens while it lives, keeping titles and texts.
class MessageBoxCloser : public QObject
{
public:
    MessageBoxCloser()
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            titles << box->windowTitle();
            texts << box->text();
            box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok)->click() : box->reject();
        });
        m_timer.start(0);
    }
    QStringList titles;
    QStringList texts;

private:
    QTimer m_timer;
};

// Stands in for the folder and file dialogs: answers with a prepared path, records the asks.
struct ChooserLog
{
    QString answer;
    QStringList captions;
    QStringList starts;
    Memora_MainWindow_SettingStudy::PathChooser chooser()
    {
        return [this](QWidget *, const QString &caption, const QString &start) {
            captions << caption;
            starts << start;
            return answer;
        };
    }
};

const QString kNoVoiceText = QStringLiteral("该系统没有安装合成语音引擎！");

} // namespace

class TestSettingStudy : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();

    void constructionShowsValues_data();
    void constructionShowsValues();
    void storedVoiceOrFirstBecomesMapVoice_data();
    void storedVoiceOrFirstBecomesMapVoice();
    void chosenVoiceSurvivesAnEngineSwitch();
    void noVoiceInstalledFallsBackToYoudao();
    void engineChoiceUpdatesMapAndPage_data();
    void engineChoiceUpdatesMapAndPage();
    void checkBoxesUpdateMap();
    void volumeSliderUpdatesMap();
    void previewSpeaksWithChosenVoiceAndVolume();
    void voicePathEditing_data();
    void voicePathEditing();
    void browserPutsPlayerPath();
    void voicePathKeepsEmptyEntries();

private:
    std::unique_ptr<Memora_MainWindow_SettingStudy>
    makePage(const QVariantHash &values, const QStringList &voices,
             std::shared_ptr<FakeSynthesizer::Record> *record = nullptr)
    {
        auto r = FakeSynthesizer::withVoices(voices);
        if (record)
            *record = r;
        return std::make_unique<Memora_MainWindow_SettingStudy>(values, nullptr,
                                                                FakeSynthesizer::make(r));
    }
    template <class T> static T *widget(QWidget &page, const char *name)
    {
        T *w = page.findChild<T *>(QLatin1String(name));
        if (!w)
            qWarning("no widget %s", name);
        return w;
    }
    // Clicks a check box on its indicator (the box is wider than what reacts to clicks).
    static void clickBox(QCheckBox *box)
    {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    }
    static QString currentPage(QWidget &page)
    {
        return widget<QStackedWidget>(page, "stWi_context")->currentWidget()->objectName();
    }
};

void TestSettingStudy::initTestCase()
{
    QApplication::setApplicationDisplayName(QStringLiteral("Memora"));
}

void TestSettingStudy::constructionShowsValues_data()
{
    QTest::addColumn<QVariantHash>("values");
    QTest::addColumn<int>("engine");
    QTest::addColumn<QString>("page");
    QTest::addColumn<bool>("autoSpeak");
    QTest::addColumn<bool>("external");
    QTest::addColumn<QString>("playerPath");
    QTest::addColumn<QStringList>("voicePaths");

    QTest::newRow("defaults") << QVariantHash() << 1 << "page_online" << true << false << ""
                              << QStringList();
    QTest::newRow("text-to-speech") << QVariantHash{{"SpeechEngine", 0}, {"AutoSpeak", false}} << 0
                                    << "page_speech" << false << false << "" << QStringList();
    QTest::newRow("Youdao") << QVariantHash{{"SpeechEngine", 1}} << 1 << "page_online" << true
                            << false << "" << QStringList();
    QTest::newRow("Haici") << QVariantHash{{"SpeechEngine", 2}} << 2 << "page_online" << true
                           << false << "" << QStringList();
    QTest::newRow("recorded voice, duplicate folders dropped")
        << QVariantHash{{"SpeechEngine", 3}, {"VoicePath", "/lib/a|/lib/b|/lib/a"}} << 3
        << "page_realpeople" << true << false << "" << QStringList{"/lib/a", "/lib/b"};
    QTest::newRow("engine above range shows text-to-speech")
        << QVariantHash{{"SpeechEngine", 7}} << 0 << "page_speech" << true << false << ""
        << QStringList();
    QTest::newRow("negative engine shows text-to-speech")
        << QVariantHash{{"SpeechEngine", -1}} << 0 << "page_speech" << true << false << ""
        << QStringList();
    QTest::newRow("external player on")
        << QVariantHash{{"ExternalPlayer", true}, {"MplayerPath", "/usr/bin/mplayer"}} << 1
        << "page_online" << true << true << "/usr/bin/mplayer" << QStringList();
}

void TestSettingStudy::constructionShowsValues()
{
    QFETCH(QVariantHash, values);
    QFETCH(int, engine);
    QFETCH(QString, page);
    QFETCH(bool, autoSpeak);
    QFETCH(bool, external);
    QFETCH(QString, playerPath);
    QFETCH(QStringList, voicePaths);

    auto p = makePage(values, {"alpha", "beta"});
    auto *combo = widget<QComboBox>(*p, "coBox_SpeechEngine");
    QCOMPARE(combo->count(), 4);
    QCOMPARE(combo->itemText(0), QStringLiteral("语音合成"));
    QCOMPARE(combo->itemText(1), QStringLiteral("有道语音"));
    QCOMPARE(combo->itemText(2), QStringLiteral("海词语音"));
    QCOMPARE(combo->itemText(3), QStringLiteral("真人语音"));
    QCOMPARE(combo->currentIndex(), engine);
    QCOMPARE(currentPage(*p), page);

    QCOMPARE(widget<QCheckBox>(*p, "chBox_autospeak")->isChecked(), autoSpeak);
    auto *mplayer = widget<QCheckBox>(*p, "chBox_mplayer");
    auto *path = widget<QLineEdit>(*p, "lEdit_mplayerPath");
    auto *browse = widget<QToolButton>(*p, "tBtn_browser");
    QCOMPARE(mplayer->isChecked(), external);
    QCOMPARE(path->isEnabled(), external);
    QCOMPARE(browse->isEnabled(), external);
    QCOMPARE(path->text(), playerPath);
    // The external player means nothing to text-to-speech.
    QCOMPARE(mplayer->isHidden(), engine == 0);
    QCOMPARE(path->isHidden(), engine == 0);
    QCOMPARE(browse->isHidden(), engine == 0);

    QCOMPARE(p->voicePaths(), voicePaths);
    QCOMPARE(widget<QLineEdit>(*p, "ledit_textplay_global")->text(), QStringLiteral("Welcome"));
    QCOMPARE(p->values().value(QStringLiteral("VoicePath")).toString(), voicePaths.join('|'));
}

void TestSettingStudy::storedVoiceOrFirstBecomesMapVoice_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("installed voice") << "beta"
                                     << "beta";
    QTest::newRow("voice not installed") << "VW Paul"
                                         << "alpha";
    QTest::newRow("name differs in case") << "Beta"
                                          << "alpha";
}

void TestSettingStudy::storedVoiceOrFirstBecomesMapVoice()
{
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    auto p = makePage({{"SpeechEngine", 0}, {"Voice", stored}, {"Volume", 35}}, {"alpha", "beta"});
    auto *voices = widget<QComboBox>(*p, "cbox_voicesel_w_global");
    QCOMPARE(voices->count(), 2);
    QCOMPARE(voices->currentText(), shown);
    QCOMPARE(p->values().value(QStringLiteral("Voice")).toString(), shown);
    auto *slider = widget<QSlider>(*p, "hsilder_voicevolume_global");
    QCOMPARE(slider->minimum(), 0);
    QCOMPARE(slider->maximum(), 100);
    QCOMPARE(slider->value(), 35);
    QCOMPARE(p->values().value(QStringLiteral("Volume")).toInt(), 35);
}

void TestSettingStudy::chosenVoiceSurvivesAnEngineSwitch()
{
    auto p = makePage({{"SpeechEngine", 0}, {"Voice", "beta"}}, {"alpha", "beta", "gamma"});
    auto *voices = widget<QComboBox>(*p, "cbox_voicesel_w_global");
    auto *engine = widget<QComboBox>(*p, "coBox_SpeechEngine");
    voices->setCurrentIndex(2);
    engine->setCurrentIndex(1);
    engine->setCurrentIndex(0);
    QCOMPARE(voices->currentText(), QStringLiteral("gamma"));
    QCOMPARE(p->values().value(QStringLiteral("Voice")).toString(), QStringLiteral("gamma"));
}

void TestSettingStudy::noVoiceInstalledFallsBackToYoudao()
{
    std::unique_ptr<Memora_MainWindow_SettingStudy> p;
    {
        MessageBoxCloser closer;
        p = makePage({{"SpeechEngine", 0}, {"Voice", "VW Paul"}}, {});
        QCOMPARE(closer.texts, QStringList({kNoVoiceText}));
        QCOMPARE(closer.titles, QStringList({QStringLiteral("Memora")}));
    }
    auto *combo = widget<QComboBox>(*p, "coBox_SpeechEngine");
    QCOMPARE(combo->currentIndex(), 1);
    QCOMPARE(currentPage(*p), QStringLiteral("page_online"));
    QVERIFY(!widget<QCheckBox>(*p, "chBox_mplayer")->isHidden());
    QCOMPARE(p->values().value(QStringLiteral("SpeechEngine")).toInt(), 1);
    QCOMPARE(p->values().value(QStringLiteral("Voice")).toString(), QStringLiteral("VW Paul"));

    // Choosing text-to-speech later warns again and goes back to Youdao.
    combo->setCurrentIndex(3);
    {
        MessageBoxCloser closer;
        combo->setCurrentIndex(0);
        QCOMPARE(closer.texts, QStringList({kNoVoiceText}));
    }
    QCOMPARE(combo->currentIndex(), 1);
    QCOMPARE(currentPage(*p), QStringLiteral("page_online"));
    QCOMPARE(p->values().value(QStringLiteral("SpeechEngine")).toInt(), 1);
}

void TestSettingStudy::engineChoiceUpdatesMapAndPage_data()
{
    QTest::addColumn<int>("engine");
    QTest::addColumn<QString>("page");
    QTest::newRow("text-to-speech") << 0 << "page_speech";
    QTest::newRow("Haici") << 2 << "page_online";
    QTest::newRow("recorded voice") << 3 << "page_realpeople";
}

void TestSettingStudy::engineChoiceUpdatesMapAndPage()
{
    QFETCH(int, engine);
    QFETCH(QString, page);
    auto p = makePage({{"SpeechEngine", 1}}, {"alpha"});
    widget<QComboBox>(*p, "coBox_SpeechEngine")->setCurrentIndex(engine);
    QCOMPARE(p->values().value(QStringLiteral("SpeechEngine")).toInt(), engine);
    QCOMPARE(currentPage(*p), page);
    QCOMPARE(widget<QCheckBox>(*p, "chBox_mplayer")->isHidden(), engine == 0);
    QCOMPARE(widget<QComboBox>(*p, "cbox_voicesel_w_global")->count(), engine == 0 ? 1 : 0);
}

void TestSettingStudy::checkBoxesUpdateMap()
{
    auto p =
        makePage({{"SpeechEngine", 1}, {"AutoSpeak", true}, {"ExternalPlayer", false}}, {"alpha"});
    p->show();
    QVERIFY(QTest::qWaitForWindowExposed(p.get()));

    auto *autoSpeak = widget<QCheckBox>(*p, "chBox_autospeak");
    clickBox(autoSpeak);
    QCOMPARE(p->values().value(QStringLiteral("AutoSpeak")).toBool(), false);
    clickBox(autoSpeak);
    QCOMPARE(p->values().value(QStringLiteral("AutoSpeak")).toBool(), true);

    auto *mplayer = widget<QCheckBox>(*p, "chBox_mplayer");
    auto *path = widget<QLineEdit>(*p, "lEdit_mplayerPath");
    auto *browse = widget<QToolButton>(*p, "tBtn_browser");
    clickBox(mplayer);
    QCOMPARE(p->values().value(QStringLiteral("ExternalPlayer")).toBool(), true);
    QVERIFY(path->isEnabled());
    QVERIFY(browse->isEnabled());
    clickBox(mplayer);
    QCOMPARE(p->values().value(QStringLiteral("ExternalPlayer")).toBool(), false);
    QVERIFY(!path->isEnabled());
    QVERIFY(!browse->isEnabled());
}

void TestSettingStudy::volumeSliderUpdatesMap()
{
    auto p = makePage({{"SpeechEngine", 0}, {"Volume", 50}}, {"alpha"});
    p->show();
    QVERIFY(QTest::qWaitForWindowExposed(p.get()));
    auto *slider = widget<QSlider>(*p, "hsilder_voicevolume_global");

    slider->setSliderDown(true);
    slider->setSliderPosition(70);
    slider->setSliderDown(false);
    QCOMPARE(p->values().value(QStringLiteral("Volume")).toInt(), 70);
    QCOMPARE(slider->toolTip(), QStringLiteral("70"));

    // Keyboard steps count as much as dragging.
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_Left);
    QCOMPARE(slider->value(), 69);
    QCOMPARE(p->values().value(QStringLiteral("Volume")).toInt(), 69);
    QCOMPARE(slider->toolTip(), QStringLiteral("69"));
}

void TestSettingStudy::previewSpeaksWithChosenVoiceAndVolume()
{
    std::shared_ptr<FakeSynthesizer::Record> record;
    auto p = makePage({{"SpeechEngine", 0}, {"Voice", "beta"}, {"Volume", 40}}, {"alpha", "beta"},
                      &record);
    p->show();
    QVERIFY(QTest::qWaitForWindowExposed(p.get()));
    auto *play = widget<QPushButton>(*p, "pbtn_textplay_global");

    QTest::mouseClick(play, Qt::LeftButton);
    QCOMPARE(record->said.size(), 1);
    QCOMPARE(record->said.at(0).text, QStringLiteral("Welcome"));
    QCOMPARE(record->said.at(0).voice, QStringLiteral("beta"));
    QCOMPARE(record->said.at(0).volume, 40);

    widget<QComboBox>(*p, "cbox_voicesel_w_global")->setCurrentIndex(0);
    QCOMPARE(p->values().value(QStringLiteral("Voice")).toString(), QStringLiteral("alpha"));
    widget<QLineEdit>(*p, "ledit_textplay_global")->setText(QStringLiteral("<b>it's</b>"));
    QTest::mouseClick(play, Qt::LeftButton);
    QCOMPARE(record->said.size(), 2);
    QCOMPARE(record->said.at(1).text, QStringLiteral("<b>it's</b>"));
    QCOMPARE(record->said.at(1).voice, QStringLiteral("alpha"));

    widget<QLineEdit>(*p, "ledit_textplay_global")->clear();
    QTest::mouseClick(play, Qt::LeftButton);
    QCOMPARE(record->said.size(), 2);
}

void TestSettingStudy::voicePathEditing_data()
{
    QTest::addColumn<QStringList>("initial");
    QTest::addColumn<int>("current");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<int>("expectedCurrent");
    QTest::addColumn<QString>("askedCaption");
    QTest::addColumn<QString>("askedStart");

    const QString add = QStringLiteral("选择音频库根路径");
    const QString modify = QStringLiteral("重新选择音频库根路径");
    using L = QStringList;
    QTest::newRow("add appends and selects") << L{"/a", "/b"} << -1 << "pBtn_addPath"
                                             << "/c" << L{"/a", "/b", "/c"} << 2 << add << "";
    QTest::newRow("add to empty list") << L{} << -1 << "pBtn_addPath"
                                       << "/a" << L{"/a"} << 0 << add << "";
    QTest::newRow("add a listed folder keeps one") << L{"/a", "/b"} << 0 << "pBtn_addPath"
                                                   << "/a" << L{"/a", "/b"} << 1 << add << "";
    QTest::newRow("add cancelled") << L{"/a"} << 0 << "pBtn_addPath"
                                   << "" << L{"/a"} << 0 << add << "";
    QTest::newRow("remove middle") << L{"/a", "/b", "/c"} << 1 << "pBtn_removePath"
                                   << "" << L{"/a", "/c"} << 1 << ""
                                   << "";
    QTest::newRow("remove last") << L{"/a", "/b", "/c"} << 2 << "pBtn_removePath"
                                 << "" << L{"/a", "/b"} << 1 << ""
                                 << "";
    QTest::newRow("remove only row") << L{"/a"} << 0 << "pBtn_removePath"
                                     << "" << L{} << -1 << ""
                                     << "";
    QTest::newRow("remove without current row") << L{"/a", "/b"} << -1 << "pBtn_removePath"
                                                << "" << L{"/a", "/b"} << -1 << ""
                                                << "";
    QTest::newRow("modify current row") << L{"/a", "/b"} << 1 << "pBtn_modifyPath"
                                        << "/x" << L{"/a", "/x"} << 1 << modify << "/b";
    QTest::newRow("modify without current row takes first")
        << L{"/a", "/b"} << -1 << "pBtn_modifyPath"
        << "/x" << L{"/x", "/b"} << 0 << modify << "/a";
    QTest::newRow("modify into a listed folder keeps one")
        << L{"/a", "/b", "/c"} << 2 << "pBtn_modifyPath"
        << "/a" << L{"/a", "/b"} << 0 << modify << "/c";
    QTest::newRow("modify cancelled") << L{"/a", "/b"} << 1 << "pBtn_modifyPath"
                                      << "" << L{"/a", "/b"} << 1 << modify << "/b";
    QTest::newRow("modify empty list") << L{} << -1 << "pBtn_modifyPath"
                                       << "/x" << L{} << -1 << ""
                                       << "";
    QTest::newRow("up from last") << L{"/a", "/b", "/c"} << 2 << "pBtn_upMove"
                                  << "" << L{"/a", "/c", "/b"} << 1 << ""
                                  << "";
    QTest::newRow("up at first row") << L{"/a", "/b"} << 0 << "pBtn_upMove"
                                     << "" << L{"/a", "/b"} << 0 << ""
                                     << "";
    QTest::newRow("up without current row selects first") << L{"/a", "/b"} << -1 << "pBtn_upMove"
                                                          << "" << L{"/a", "/b"} << 0 << ""
                                                          << "";
    QTest::newRow("down from first") << L{"/a", "/b", "/c"} << 0 << "pBtn_dnMove"
                                     << "" << L{"/b", "/a", "/c"} << 1 << ""
                                     << "";
    QTest::newRow("down at last row") << L{"/a", "/b"} << 1 << "pBtn_dnMove"
                                      << "" << L{"/a", "/b"} << 1 << ""
                                      << "";
    QTest::newRow("down without current row moves the first")
        << L{"/a", "/b", "/c"} << -1 << "pBtn_dnMove"
        << "" << L{"/b", "/a", "/c"} << 1 << ""
        << "";
    QTest::newRow("down without current row on a single row selects it")
        << L{"/a"} << -1 << "pBtn_dnMove"
        << "" << L{"/a"} << 0 << ""
        << "";
    QTest::newRow("down on empty list") << L{} << -1 << "pBtn_dnMove"
                                        << "" << L{} << -1 << ""
                                        << "";
}

void TestSettingStudy::voicePathEditing()
{
    QFETCH(QStringList, initial);
    QFETCH(int, current);
    QFETCH(QString, button);
    QFETCH(QString, chosen);
    QFETCH(QStringList, expected);
    QFETCH(int, expectedCurrent);
    QFETCH(QString, askedCaption);
    QFETCH(QString, askedStart);

    auto p = makePage({{"SpeechEngine", 3}, {"VoicePath", initial.join('|')}}, {"alpha"});
    ChooserLog folders;
    folders.answer = chosen;
    p->setFolderChooser(folders.chooser());
    p->show();
    QVERIFY(QTest::qWaitForWindowExposed(p.get()));
    auto *list = widget<QListView>(*p, "lView_voicePath");
    list->setCurrentIndex(current < 0 ? QModelIndex() : list->model()->index(current, 0));

    QTest::mouseClick(p->findChild<QPushButton *>(button), Qt::LeftButton);

    QCOMPARE(p->voicePaths(), expected);
    QCOMPARE(p->values().value(QStringLiteral("VoicePath")).toString(), expected.join('|'));
    QCOMPARE(list->currentIndex().isValid() ? list->currentIndex().row() : -1, expectedCurrent);
    QCOMPARE(folders.captions,
             askedCaption.isEmpty() ? QStringList() : QStringList({askedCaption}));
    if (!askedCaption.isEmpty())
        QCOMPARE(folders.starts, QStringList({askedStart}));
}

void TestSettingStudy::browserPutsPlayerPath()
{
    auto p = makePage({{"SpeechEngine", 1}, {"ExternalPlayer", true}, {"MplayerPath", "/old"}},
                      {"alpha"});
    ChooserLog files;
    p->setFileChooser(files.chooser());
    p->show();
    QVERIFY(QTest::qWaitForWindowExposed(p.get()));
    auto *browse = widget<QToolButton>(*p, "tBtn_browser");
    auto *path = widget<QLineEdit>(*p, "lEdit_mplayerPath");

    files.answer = QString();
    QTest::mouseClick(browse, Qt::LeftButton);
    QCOMPARE(files.captions, QStringList({QStringLiteral("请选择音频播放器的位置")}));
    QCOMPARE(path->text(), QStringLiteral("/old"));

    files.answer = QStringLiteral("/opt/players/mplayer");
    QTest::mouseClick(browse, Qt::LeftButton);
    QCOMPARE(path->text(), QDir::toNativeSeparators(QStringLiteral("/opt/players/mplayer")));

    path->setText(QStringLiteral("  /usr/bin/mpv  "));
    QCOMPARE(p->values().value(QStringLiteral("MplayerPath")).toString(),
             QStringLiteral("/usr/bin/mpv"));
}

void TestSettingStudy::voicePathKeepsEmptyEntries()
{
    auto p = makePage({{"SpeechEngine", 3}, {"VoicePath", "/a||/b"}}, {"alpha"});
    QCOMPARE(p->voicePaths(), QStringList({"/a", "", "/b"}));
    QCOMPARE(p->values().value(QStringLiteral("VoicePath")).toString(), QStringLiteral("/a||/b"));

    auto empty = makePage({{"SpeechEngine", 3}, {"VoicePath", ""}}, {"alpha"});
    QVERIFY(empty->voicePaths().isEmpty());
    QCOMPARE(empty->values().value(QStringLiteral("VoicePath")).toString(), QString());
}

QTEST_MAIN(TestSettingStudy)
#include "tst_settingstudy.moc"
