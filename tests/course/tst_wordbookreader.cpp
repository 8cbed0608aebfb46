#include "course/youdaowordbookreader.h"

#include <QBuffer>
#include <QRandomGenerator>
#include <QtTest>

// The reader's byte scanner against QXmlStreamReader alone (what a sequential device
// gets): every word book must yield the same items and end with or without an error alike.
class TestWordBookReader : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void scannerReadsAsQXmlStreamReader_data();
    void scannerReadsAsQXmlStreamReader();
    void scannerReadsMutatedBooksAsQXmlStreamReader();
};

namespace {

// A device that hands out at most chunk bytes a read, so that every construct of the file
// is cut between two reads somewhere.
class ChunkedDevice : public QIODevice
{
public:
    ChunkedDevice(const QByteArray &data, int chunk, bool sequential)
        : m_data(data), m_chunk(chunk), m_sequential(sequential)
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return m_sequential; }
    qint64 size() const override { return m_data.size(); }
    qint64 bytesAvailable() const override { return m_data.size() - m_at; }
    bool seek(qint64 to) override
    {
        m_at = to;
        return !m_sequential && QIODevice::seek(to);
    }

protected:
    qint64 readData(char *data, qint64 max) override
    {
        const qint64 n = std::min({max, qint64(m_chunk), m_data.size() - m_at});
        memcpy(data, m_data.constData() + m_at, size_t(n));
        m_at += n;
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray m_data;
    int m_chunk;
    bool m_sequential;
    qint64 m_at = 0;
};

// Everything the reader delivers, one line per item, and how it ended.
QStringList readAll(const QByteArray &xml, int chunk, bool sequential)
{
    ChunkedDevice device(xml, chunk, sequential);
    YoudaoWordBookReader reader(&device);
    QStringList seen{reader.hasWordBookRoot() ? "root" : "no root"};
    YoudaoWordBookReader::Item item;
    while (reader.next(item))
        seen << QStringList{item.word, item.trans, item.phonetic}.join(QLatin1Char('|'));
    seen << (reader.errorString().isEmpty() ? "end" : "error");
    return seen;
}

const QByteArray kHead = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<wordbook>\n";

QByteArray item(const QByteArray &word, const QByteArray &trans, const QByteArray &phonetic)
{
    return "<item>    <word>" + word + "</word>\n    <trans><![CDATA[" + trans +
           "]]></trans>\n    <phonetic><![CDATA[" + phonetic +
           "]]></phonetic>\n    <tags></tags>\n    <progress>1</progress>\n</item>\n";
}

QByteArray book(const QByteArray &items)
{
    return kHead + item("cat", "n. 猫", "[kæt]") + items + item("dog", "n. 狗", "[dɒɡ]") +
           "</wordbook>\n";
}

} // namespace

void TestWordBookReader::scannerReadsAsQXmlStreamReader_data()
{
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<int>("items");
    QTest::newRow("plain") << book(item("o'clock", "点钟", "[ə'klɒk]")) << 3;
    QTest::newRow("crlf and lone cr")
        << book("<item><word>a\r\nb</word><trans>x\ry\r\n</trans></item>\r\n" +
                item("c", "p\r\nq\rr", "[s]"))
        << 4;
    QTest::newRow("entities") << book("<item><word>a&amp;b&lt;&gt;&quot;&apos;</word></item>") << 3;
    QTest::newRow("character reference") << book("<item><word>&#x41;&#66;</word></item>") << 3;
    QTest::newRow("undeclared entity") << book("<item><word>&nbsp;</word></item>") << 1;
    QTest::newRow("markup in a field") << book("<item><trans>a<b>c</b>d</trans></item>") << 3;
    QTest::newRow("comment, attribute, empty element")
        << book("<item><!-- c --><word>e</word></item><item id=\"2\"><word>f</word><tags/>"
                "</item><other>x</other>")
        << 5;
    QTest::newRow("missing field keeps the last") << book("<item><word>g</word></item>") << 3;
    QTest::newRow("cdata end in text") << book("<item><word>a]]>b</word></item>") << 1;
    QTest::newRow("brackets and greater-than") << book("<item><word>a]b]]c>d</word></item>") << 3;
    QTest::newRow("control character") << book("<item><word>a\x01</word></item>") << 1;
    QTest::newRow("invalid utf-8") << book("<item><word>a\xC3\x28</word></item>") << 0;
    QTest::newRow("U+FFFF") << book("<item><word>a\xEF\xBF\xBF</word></item>") << 1;
    QTest::newRow("mismatched end tag") << book("<item><word>w</wor></item>") << 1;
    QTest::newRow("space in end tag") << book("<item><word>w</word ></item>") << 3;
    QTest::newRow("text in item") << book("<item>x<word>w</word></item>") << 3;
    QTest::newRow("cut in a cdata")
        << QByteArray(kHead + item("a", "b", "[c]") + "<item><trans><![CDATA[x") << 1;
    QTest::newRow("cut after an item") << QByteArray(kHead + item("a", "b", "[c]")) << 1;
    QTest::newRow("other declaration")
        << QByteArray("<?xml version='1.0'?><wordbook>" + item("a", "b", "[c]") + "</wordbook>")
        << 1;
    QTest::newRow("byte order mark")
        << QByteArray("\xEF\xBB\xBF<wordbook>" + item("a", "b", "[c]") + "</wordbook>") << 1;
    QTest::newRow("other root") << QByteArray("<words>" + item("a", "b", "[c]") + "</words>") << 0;
    QTest::newRow("junk after the root") << QByteArray(book(QByteArray()) + "<x>&bad;") << 2;
    QByteArray many;
    for (int i = 0; i < 1500; ++i)
        many += item("w" + QByteArray::number(i), QByteArray(i % 97, 'x') + "\r\n&",
                     "[" + QByteArray(i % 13, ']') + "]");
    QTest::newRow("many items across blocks") << book(many) << 1502;
}

void TestWordBookReader::scannerReadsAsQXmlStreamReader()
{
    QFETCH(QByteArray, xml);
    QFETCH(int, items);
    QCOMPARE(readAll(xml, 1 << 20, true).size() - 2, items);
    for (int chunk : {5, 64 * 1024, 1 << 20})
        QCOMPARE(readAll(xml, chunk, false), readAll(xml, chunk, true));
}

void TestWordBookReader::scannerReadsMutatedBooksAsQXmlStreamReader()
{
    static const char *pieces[] = {"<",     ">",    "&", "]]>",  "\r",      "</item>", "<![CDATA[",
                                   "&amp;", "\xC3", "/", "\x01", "</word>", "<word>"};
    const QByteArray base = book(item("o'clock", "n. 点钟\nx", "[ə'klɒk]"));
    QRandomGenerator random(14);
    for (int round = 0; round < 3000; ++round) {
        QByteArray xml = base;
        for (int edits = random.bounded(1, 4); edits > 0; --edits) {
            const int at = random.bounded(int(xml.size()));
            if (random.bounded(2))
                xml.remove(at, random.bounded(1, 4));
            else
                xml.insert(at, pieces[random.bounded(int(std::size(pieces)))]);
        }
        QCOMPARE(readAll(xml, 5, false), readAll(xml, 5, true));
    }
}

QTEST_GUILESS_MAIN(TestWordBookReader)
#include "tst_wordbookreader.moc"
