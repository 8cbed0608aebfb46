#include "app/apppath.h"
#include "app/product.h"
#include "course/coursedb.h"
#include "course/ucategorycoursedb.h"
#include "modalanswer.h"
#include "testfiles.h"
#include "testroot.h"
#include "ui/memora_mainwindow_importcourse.h"

#include <QtTest>

class TestImportCourse : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void checksAndMessages_data();
    void checksAndMessages();
};

namespace {
const QByteArray kBook = "<wordbook><item><word>cat</word><trans>猫</trans><phonetic>[kæt]"
                         "</phonetic></item><item><word>o'clock</word><trans>点钟</trans></item>"
                         "</wordbook>";
}

void TestImportCourse::checksAndMessages_data()
{
    QTest::addColumn<bool>("merge");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("result"); // -1: still open
    QTest::addColumn<int>("words");  // of the named course; -1: no such course

    const int open = -1;
    QTest::newRow("no name") << false << ""
                             << "book.xml"
                             << "请输入课程名！" << open << -1;
    QTest::newRow("duplicate name") << false << "Tom's words"
                                    << "book.xml"
                                    << "课程名重名，请重新输入课程名！" << open << 1;
    QTest::newRow("no file, no course row") << false << "新课程"
                                            << ""
                                            << "请选择要导入文件！" << open << -1;
    QTest::newRow("missing file") << false << "新课程"
                                  << "nothing.xml"
                                  << "请选择要导入文件！" << open << -1;
    QTest::newRow("not a word book, name stays free")
        << false << "新课程"
        << "notes.txt"
        << "当前课程导入单词数为零，请检查导入文件是否有效!" << int(QDialog::Rejected) << -1;
    QTest::newRow("new course with quotes") << false << "Ann's \"best\" words"
                                            << "book.xml"
                                            << "课程导入成功" << int(QDialog::Accepted) << 2;
    QTest::newRow("merge") << true << "Tom's words"
                           << "book.xml"
                           << "课程合并导入成功" << int(QDialog::Accepted) << 3;
    QTest::newRow("merge without file") << true << "Tom's words"
                                        << ""
                                        << "请选择要导入文件！" << open << 1;
    QTest::newRow("merge of a bad file")
        << true << "Tom's words"
        << "notes.txt"
        << "当前课程合并导入单词数为零，请检查导入文件是否有效!" << int(QDialog::Rejected) << 1;
}

void TestImportCourse::checksAndMessages()
{
    QFETCH(bool, merge);
    QFETCH(QString, name);
    QFETCH(QString, file);
    QFETCH(QString, message);
    QFETCH(int, result);
    QFETCH(int, words);

    TestRoot root;
    UCategoryCourseDB catalogue;
    QVERIFY(catalogue.addCategory(QStringLiteral("我的分类")));
    const int category = catalogue.getCategoryId(QStringLiteral("我的分类"));
    // An existing course of one word.
    const int tom = catalogue.addCourse(category, QStringLiteral("Tom's words"));
    {
        CourseDB course(appPath(QStringLiteral("/udata/course/%1.db").arg(tom)));
        course.createTables();
        course.insertWord(QStringLiteral("dog"), QStringLiteral("狗"), QString(), QString());
    }
    catalogue.setWordCount(tom, 1);
    QVERIFY(TestFiles::write(root.filePath("/book.xml"), kBook));
    QVERIFY(TestFiles::write(root.filePath("/notes.txt"), "cat,猫\n"));

    Memora_MainWindow_ImportCourse dialog(&catalogue, category);
    dialog.show();
    auto *typeBox = dialog.findChild<QComboBox *>("coBox_courseType");
    QCOMPARE(typeBox->currentText(), QStringLiteral("有道词典单词本"));
    if (merge) {
        auto *mergeButton = dialog.findChild<QRadioButton *>("rBtn_merget");
        // On the indicator: a stretched radio button takes clicks on its indicator and text only.
        QTest::mouseClick(mergeButton, Qt::LeftButton, {}, QPoint(6, mergeButton->height() / 2));
        QCOMPARE(dialog.findChild<QStackedWidget *>("sWid_import")->currentWidget()->objectName(),
                 QStringLiteral("page_merge"));
        dialog.findChild<QComboBox *>("cBox_targetCourse")->setCurrentText(name);
    } else {
        dialog.findChild<QLineEdit *>("liEd_courseName")->setText(name);
    }
    if (!file.isEmpty())
        dialog.findChild<QLineEdit *>("liEd_courseLocate")->setText(root.filePath("/" + file));

    ModalAnswer closer;
    QTest::mouseClick(dialog.findChild<QPushButton *>("pBtn_import"), Qt::LeftButton);
    QTRY_COMPARE(closer.texts(), QStringList{message});
    QCOMPARE(closer.titles().value(0), Product::displayName());
    QCOMPARE(dialog.isVisible() ? -1 : dialog.result(), result);

    const QString shown = name.isEmpty() ? QStringLiteral("新课程") : name;
    QCOMPARE(catalogue.courseExists(shown), words >= 0);
    if (words >= 0)
        QCOMPARE(catalogue.getWordCount(catalogue.getCourseMid(shown)), words);
}

QTEST_MAIN(TestImportCourse)
#include "tst_importcourse.moc"
