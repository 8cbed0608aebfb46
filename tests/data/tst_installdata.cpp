// The data check: what the build staged into the program folder and the course server
// tree is complete and consistent, and the trainer's own readers can use it.

#include "app/apppath.h"
#include "app/startup.h"
#include "blocklist.h"
#include "cataloguedefinition.h"
#include "course/coursedb.h"
#include "course/fullworddb.h"
#include "logcapture.h"
#include "sqlitefile.h"
#include "testroot.h"
#include "ui/placeholderwindow.h"
#include "wordnetsentences.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QUrl>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

const QString kCatalogue = QStringLiteral("/odata/course/categorycourse.db");

QString serverTree()
{
    return QStringLiteral(MEMORA_SERVER_TREE);
}

QString readText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The style sheet as the trainer uses it: the glow picture's path and the placeholders
// replaced by the paths of the pictures.
QString filledStyleSheet(const QString &name, const QStringList &pictures)
{
    QString text = readText(appPath("/images/" + name));
    text.replace(QStringLiteral("/images/buttonGlow.png"), appPath("/images/buttonGlow.png"));
    for (const QString &picture : pictures)
        text = text.arg(appPath(picture));
    return text;
}

// Unpacks an archive the way the trainer does ("-x -n archive -d folder"); the exit code.
int unzipInto(const QString &archive, const QString &folder)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {"-x", "-n", archive, "-d", folder});
    if (!unzip.waitForFinished(60000))
        return -1;
    return unzip.exitStatus() == QProcess::NormalExit ? unzip.exitCode() : -1;
}

bool isCjk(QChar c)
{
    return c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF;
}

} // namespace

class tst_InstallData : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void catalogueHasTheNamedCategories();
    void catalogueListsEveryWrittenCourse();
    void courseFiles_data();
    void courseFiles();
    void coursesMeetTheirSize();
    void exampleSentences();
    void noBlockedWordShips();
    void studyTips();
    void pictures();
    void styleSheets_data();
    void styleSheets();
    void compiledInResources();
    void placeholderWindowShowsTheSkin();
    void versionFile();

private:
    // The course file of mid: installed in the program folder or unpacked from the server.
    QString courseFile(const QString &mid, bool installed) const;

    TestRoot m_root;
    QString m_catalogue;
    // Every archive of the course server, unpacked with the trainer's own unzip arguments.
    QTemporaryDir m_unpacked;
};

void tst_InstallData::initTestCase()
{
    QVERIFY(m_root.isValid());
    QVERIFY2(m_root.stageInstallData("odata"), "the build has not staged odata");
    QVERIFY2(m_root.stageInstallData("images"), "the build has not staged images");
    m_catalogue = appPath(kCatalogue);
    QVERIFY(QFileInfo::exists(m_catalogue));
    for (const QFileInfo &archive :
         QDir(serverTree() + "/ocourse").entryInfoList({"*.zip"}, QDir::Files))
        QVERIFY2(unzipInto(archive.filePath(), m_unpacked.path()) == 0,
                 qPrintable(archive.filePath()));
}

QString tst_InstallData::courseFile(const QString &mid, bool installed) const
{
    return installed ? appPath("/odata/course/" + mid + ".db")
                     : m_unpacked.path() + "/" + mid + ".db";
}

void tst_InstallData::catalogueHasTheNamedCategories()
{
    QCOMPARE(peekRows(m_catalogue, "select name from TCategory where pid = 0 and name in "
                                   "('测试课程', '官方课程') order by name"),
             (QStringList{"官方课程", "测试课程"}));
    const QString official =
        peekValue(m_catalogue, "select id from TCategory where name = '官方课程'");
    QVERIFY(
        peekValue(m_catalogue, "select count(*) from TCategory where pid = " + official).toInt() >=
        2);

    // Every category counts the courses of its own subtree.
    const QStringList categories =
        peekRows(m_catalogue, "select id, pid, coursecount from TCategory");
    QHash<int, int> parentOf;
    for (const QString &row : categories)
        parentOf.insert(row.section('|', 0, 0).toInt(), row.section('|', 1, 1).toInt());
    QHash<int, int> counted;
    for (const QString &cid : peekRows(m_catalogue, "select cid from TCourse"))
        for (int c = cid.toInt(); c != 0; c = parentOf.value(c))
            ++counted[c];
    for (const QString &row : categories)
        QCOMPARE(row.section('|', 2, 2).toInt(), counted.value(row.section('|', 0, 0).toInt()));
    QCOMPARE(peekValue(m_catalogue, "select count(*) from TCourse where cttype <> 2"),
             QStringLiteral("0"));
}

void tst_InstallData::catalogueListsEveryWrittenCourse()
{
    const QString data = QStringLiteral(MEMORA_DATA_SOURCE_DIR);
    CatalogueDefinition definition;
    QVERIFY2(definition.read(data + "/catalogue.txt"), qPrintable(definition.errors().join('\n')));
    QStringList expected;
    for (const CatalogueCourse &course : definition.courses()) {
        if (QFileInfo::exists(data + "/courses/" + course.source))
            expected << QStringLiteral("%1|%2|%3")
                            .arg(course.mid)
                            .arg(course.name)
                            .arg(course.installed ? 1 : 0);
        else
            qInfo("word list not written yet: %s", qPrintable(course.source));
    }
    QCOMPARE(peekRows(m_catalogue, "select mid, name, exist from TCourse order by id"), expected);
}

void tst_InstallData::courseFiles_data()
{
    QTest::addColumn<int>("mid");
    QTest::addColumn<bool>("installed");
    QTest::addColumn<int>("wcount");
    for (const QString &row :
         peekRows(appPath(kCatalogue), "select mid, exist, wcount, name from TCourse"))
        QTest::newRow(qPrintable(row.section('|', 3, 3)))
            << row.section('|', 0, 0).toInt() << (row.section('|', 1, 1) == "1")
            << row.section('|', 2, 2).toInt();
}

void tst_InstallData::courseFiles()
{
    QFETCH(int, mid);
    QFETCH(bool, installed);
    QFETCH(int, wcount);

    // Every official course is on the course server; the archive unpacks with the
    // trainer's own unzip arguments into "<mid>.db" and lists exactly one entry.
    const QString archive = QStringLiteral("%1/ocourse/%2.zip").arg(serverTree()).arg(mid);
    QVERIFY2(QFileInfo::exists(archive), qPrintable(archive));
    QProcess list;
    list.start("unzip", {"-l", archive});
    QVERIFY(list.waitForFinished(30000));
    QCOMPARE(QString::fromLocal8Bit(list.readAllStandardOutput()).split('\n').size() - 6, 1);
    const QString fromServer = courseFile(QString::number(mid), false);
    QVERIFY(QFileInfo::exists(fromServer));

    const QString installedFile = courseFile(QString::number(mid), true);
    QCOMPARE(QFileInfo::exists(installedFile), installed);
    const QString file = installed ? installedFile : fromServer;
    if (installed)
        QCOMPARE(readText(installedFile).size(), readText(fromServer).size());

    CourseDB course(file);
    QCOMPARE(course.wordCount(), wcount);
    QVERIFY(wcount > 0);
    QCOMPARE(peekValue(file, "select count(*) from TWORD where trim(ifnull(word, '')) = '' "
                             "or trim(ifnull(trans, '')) = '' or trim(ifnull(phonetic, '')) = ''"),
             QStringLiteral("0"));
    QCOMPARE(peekRows(file, "select word from TWORD group by word having count(*) > 1"),
             QStringList());
    const int withSentence =
        peekValue(file, "select count(*) from TWORD where trim(ifnull(esentence, '')) <> ''")
            .toInt();
    qInfo("course %d: %d words, %d with an example sentence (%.1f %%)%s", mid, wcount, withSentence,
          100.0 * withSentence / wcount, installed ? ", installed" : ", on the course server");
    if (installed)
        QVERIFY2(withSentence * 5 >= wcount * 4, "fewer than 80 % of the words have a sentence");
}

void tst_InstallData::coursesMeetTheirSize()
{
    // One installed official course and two to download, each of 1000 words or more.
    const QString official =
        peekValue(m_catalogue, "select id from TCategory where name = '官方课程'");
    const QStringList courses = peekRows(
        m_catalogue,
        "select exist, wcount from TCourse where cid in (select id from TCategory where pid = " +
            official + " or id = " + official + ")");
    int bigInstalled = 0, bigToDownload = 0;
    for (const QString &row : courses)
        if (row.section('|', 1, 1).toInt() >= 1000)
            ++(row.section('|', 0, 0) == "1" ? bigInstalled : bigToDownload);
    QVERIFY(bigInstalled >= 1);
    QVERIFY(bigToDownload >= 2);
    // The course to try the trainer with stays small.
    const int tryOut = peekValue(m_catalogue, "select wcount from TCourse where cid = (select id "
                                              "from TCategory where name = '测试课程')")
                           .toInt();
    QVERIFY2(tryOut >= 50 && tryOut <= 80, qPrintable(QString::number(tryOut)));

    QSet<QString> headwords;
    for (const QString &row : peekRows(m_catalogue, "select mid, exist from TCourse"))
        for (const QString &word :
             peekRows(courseFile(row.section('|', 0, 0), row.section('|', 1, 1) == "1"),
                      "select word from TWORD"))
            headwords.insert(word);
    qInfo("%lld distinct headwords over all courses", qlonglong(headwords.size()));
    QVERIFY(headwords.size() >= 3000);
}

void tst_InstallData::exampleSentences()
{
    const QString file = appPath("/odata/fullword.db");
    const int words = peekValue(file, "select count(*) from TWORD").toInt();
    qInfo("fullword.db: %d words with an example sentence", words);
    QVERIFY(words >= 12000);
    QCOMPARE(
        peekValue(file,
                  "select count(*) from sqlite_master where type = 'index' and tbl_name = 'TWORD' "
                  "and sql like '%[word]%'"),
        QStringLiteral("1"));
    // Whole sentences only (none empty): five words or more, sound punctuation.
    QStringList faulty;
    for (const QString &row : peekRows(file, "select word, esentence from TWORD")) {
        const QString sentence = row.section('|', 1);
        if (sentence.split(' ', Qt::SkipEmptyParts).size() < WordNetSentences::kMinimumWords ||
            WordNetSentences::hasBrokenPunctuation(sentence))
            faulty << row;
    }
    QVERIFY2(faulty.isEmpty(), qPrintable(faulty.mid(0, 20).join('\n')));
    // Sentences hold their word: at least its first four letters (irregular forms aside).
    const int holding = peekValue(file, "select count(*) from TWORD where "
                                        "instr(lower(esentence), lower(substr(word, 1, 4))) > 0")
                            .toInt();
    QVERIFY2(holding * 100 >= words * 95, qPrintable(QString::number(holding)));

    FullWordDB dictionary;
    for (const char *word : {"water", "happy", "computer", "ability", "environment", "improve"}) {
        const QString sentence = dictionary.getESentence(QLatin1String(word));
        QVERIFY2(sentence.contains(QLatin1String(word).left(5), Qt::CaseInsensitive),
                 qPrintable(QLatin1String(word) + ": " + sentence));
    }
    QCOMPARE(dictionary.getESentence("qzxv"), QString());
}

void tst_InstallData::noBlockedWordShips()
{
    BlockList blockList;
    QVERIFY2(blockList.read(QStringLiteral(MEMORA_DATA_SOURCE_DIR) + "/blocklist.txt"),
             qPrintable(blockList.errors().join('\n')));
    QVERIFY(blockList.size() >= 50);

    // Every database the program folder holds, and every one the course server hands out.
    QStringList files;
    for (const QString &folder : {appPath("/odata"), appPath("/odata/course"), m_unpacked.path()})
        for (const QFileInfo &info : QDir(folder).entryInfoList({"*.db"}, QDir::Files))
            files << info.filePath();
    QVERIFY(files.size() >= 5);

    QStringList found;
    int values = 0;
    for (const QString &file : files) {
        for (const QString &table :
             peekRows(file, "select name from sqlite_master where type = 'table'")) {
            if (table.startsWith("sqlite_"))
                continue;
            for (const QString &row : peekRows(file, "select * from [" + table + "]")) {
                ++values;
                const QString blocked = blockList.firstMatch(row);
                if (!blocked.isEmpty())
                    found << QStringLiteral("%1 %2: \"%3\" in %4")
                                 .arg(QFileInfo(file).fileName(), table, blocked, row);
            }
        }
    }
    qInfo("%lld databases, %d rows scanned", qlonglong(files.size()), values);
    QVERIFY2(found.isEmpty(), qPrintable(found.mid(0, 20).join('\n')));
}

void tst_InstallData::studyTips()
{
    const QString file = appPath("/odata/learnskill.db");
    const QStringList rows = peekRows(file, "select id, info from TSkill order by id");
    qInfo("learnskill.db: %lld tips", qlonglong(rows.size()));
    QVERIFY(rows.size() >= 30);
    for (int i = 0; i < rows.size(); ++i) {
        QCOMPARE(rows.at(i).section('|', 0, 0).toInt(), i + 1);
        const QString info = rows.at(i).section('|', 1);
        QVERIFY(std::any_of(info.cbegin(), info.cend(), isCjk));
    }
}

void tst_InstallData::pictures()
{
    // The pictures the windows draw (the style sheets' own are loaded with the sheets).
    for (const char *name :
         {"bg_main.png", "bg_study.png", "bg_tipbar.png", "help.png", "bg_area.png",
          "main_aboutus.png", "main_sysmgr.png", "main_exit.png"}) {
        const QImage image(appPath("/images/" + QLatin1String(name)));
        QVERIFY2(image.width() >= 8 && image.height() >= 8, name);
    }

    // The notifier takes its outline from the picture's mask: rounded, so the corners
    // are see-through and the body is not.
    const QImage popup(appPath("/images/popbox_bg.png"));
    QVERIFY(popup.hasAlphaChannel());
    QCOMPARE(qAlpha(popup.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(popup.pixel(popup.width() - 1, popup.height() - 1)), 0);
    QCOMPARE(qAlpha(popup.pixel(popup.width() / 2, popup.height() / 2)), 255);
    // The display frame is cut nine ways at 20 pixels: it needs a middle of its own.
    const QImage frame(appPath("/images/br_area.png"));
    QVERIFY(frame.width() > 40 && frame.height() > 40);
    QCOMPARE(frame.pixel(frame.width() / 2, frame.height() / 2),
             frame.pixel(frame.width() / 2, 21));
}

void tst_InstallData::styleSheets_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("pictures");
    QTest::newRow("main") << "main.qss"
                          << QStringList{"/images/ScrollBar_Handle_Grab_Vertical.png",
                                         "/images/InterfaceArrowUp.png",
                                         "/images/InterfaceArrowDown.png",
                                         "/images/ScrollBar_Handle_Grab_Horizontal.png",
                                         "/images/InterfaceArrowLeft.png",
                                         "/images/InterfaceArrowRight.png"};
    QTest::newRow("question panel")
        << "learnquestion.qss"
        << QStringList{"/images/Learn_speak_normal.png", "/images/Learn_speak_hover.png",
                       "/images/Learn_speak_hover.png"};
    QTest::newRow("operate panel") << "learnoperate.qss" << QStringList();
}

void tst_InstallData::styleSheets()
{
    QFETCH(QString, name);
    QFETCH(QStringList, pictures);
    const QString raw = readText(appPath("/images/" + name));
    QVERIFY2(!raw.isEmpty(), qPrintable(name));
    for (int i = 1; i <= pictures.size(); ++i)
        QVERIFY2(raw.contains(QStringLiteral("%%1").arg(i)),
                 qPrintable(QStringLiteral("%%1").arg(i)));
    if (name == QLatin1String("main.qss"))
        QVERIFY(raw.contains(QStringLiteral("url(/images/buttonGlow.png)")));

    const QString sheet = filledStyleSheet(name, pictures);
    QVERIFY2(!sheet.contains(QRegularExpression(QStringLiteral("%\\d"))),
             "a placeholder is left over");
    static const QRegularExpression url(QStringLiteral("url\\(([^)]*)\\)"));
    auto it = url.globalMatch(sheet);
    while (it.hasNext()) {
        const QString target = it.next().captured(1).trimmed();
        const QImage picture(target);
        QVERIFY2(picture.width() >= 8 && picture.height() >= 8, qPrintable(target));
    }

    // Qt accepts the sheet: applying it to widgets of every styled kind logs no parse error.
    LogCapture log;
    QWidget host;
    host.setStyleSheet(sheet);
    auto *edit = new QTextEdit(&host);
    auto *bar = new QScrollBar(Qt::Vertical, &host);
    edit->ensurePolished();
    bar->ensurePolished();
    host.grab();
    QVERIFY2(!log.contains(QStringLiteral("Could not parse")),
             qPrintable(log.messages().join('\n')));
}

void tst_InstallData::compiledInResources()
{
    const QImage icon(QStringLiteral(":/images/Memora.ico"));
    QVERIFY(!icon.isNull());
    QCOMPARE(icon.width(), icon.height());
    const QImage logo(QStringLiteral(":/images/Resources/ferncove.png"));
    QVERIFY(!logo.isNull());
    // The logo label is 100 wide and 40 to 60 high: the picture has that shape.
    const double ratio = double(logo.width()) / logo.height();
    QVERIFY(ratio >= 100.0 / 60 && ratio <= 100.0 / 40);
}

void tst_InstallData::placeholderWindowShowsTheSkin()
{
    Startup::installApplicationFont();
    // Chinese text needs a font with the glyphs.
    QVERIFY(QFontMetrics(QApplication::font()).inFontUcs4(0x8BCD));

    PlaceholderWindow window;
    window.resize(678, 600);
    window.logIn(QStringLiteral("学习者"), QDateTime());
    const QImage shot = window.grab().toImage();

    // Away from the centred label the window shows the background picture, stretched.
    const QImage background =
        QImage(appPath("/images/bg_main.png"))
            .scaled(shot.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    for (const QPoint &at : {QPoint(20, 20), QPoint(shot.width() - 60, shot.height() - 60)}) {
        const QColor seen = shot.pixelColor(at);
        const QColor drawn = background.pixelColor(at);
        QVERIFY2(qAbs(seen.red() - drawn.red()) <= 6 && qAbs(seen.green() - drawn.green()) <= 6 &&
                     qAbs(seen.blue() - drawn.blue()) <= 6,
                 qPrintable(seen.name() + " instead of " + drawn.name()));
    }
}

void tst_InstallData::versionFile()
{
    QFile file(serverTree() + "/verinfo.xml");
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QHash<QString, QString> values;
    QVERIFY(xml.readNextStartElement());
    while (xml.readNextStartElement())
        values.insert(xml.name().toString(), xml.readElementText());
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(values.value("vernumber"), QStringLiteral(MEMORA_VERSION_TEXT));
    QVERIFY(values.value("downurl").startsWith("http://"));
    QVERIFY(!values.value("updateNotes").isEmpty());
    // The archive it names lies in the tree and matches its checksum.
    QFile archive(serverTree() + "/update/" +
                  QFileInfo(QUrl(values.value("downurl")).path()).fileName());
    QVERIFY2(archive.open(QIODevice::ReadOnly), qPrintable(archive.fileName()));
    QCOMPARE(values.value("sha256"),
             QString::fromLatin1(
                 QCryptographicHash::hash(archive.readAll(), QCryptographicHash::Sha256).toHex()));
}

QTEST_MAIN(tst_InstallData)
#include "tst_installdata.moc"
