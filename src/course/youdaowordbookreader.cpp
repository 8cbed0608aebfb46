#include "course/youdaowordbookreader.h"

#include <QByteArrayMatcher>
#include <QIODevice>

YoudaoWordBookReader::YoudaoWordBookReader(QIODevice *device) : m_xml(device)
{
    // Word books use no name spaces; resolving them costs time on every element.
    m_xml.setNamespaceProcessing(false);
}

bool YoudaoWordBookReader::hasWordBookRoot()
{
    if (!m_rootChecked) {
        m_rootChecked = true;
        m_rootOk = m_xml.readNextStartElement() && m_xml.name() == QLatin1String("wordbook");
        m_done = !m_rootOk;
    }
    return m_rootOk;
}

bool YoudaoWordBookReader::next(Item &item)
{
    if (!hasWordBookRoot() || m_done)
        return false;
    if (!m_xml.readNextStartElement()) {
        // End of the root element, or an error.
        m_done = true;
        return false;
    }
    if (m_xml.name() == QLatin1String("item"))
        readItemFields();
    else
        m_xml.skipCurrentElement();
    // An item cut short by an error is not delivered.
    if (m_xml.hasError()) {
        m_done = true;
        return false;
    }
    item = m_record;
    return true;
}

void YoudaoWordBookReader::readItemFields()
{
    while (m_xml.readNextStartElement()) {
        // The name is a view into the reader's buffer: decide the field before reading on.
        const QStringView name = m_xml.name();
        QString *field = nullptr;
        if (name == QLatin1String("word"))
            field = &m_record.word;
        else if (name == QLatin1String("trans"))
            field = &m_record.trans;
        else if (name == QLatin1String("phonetic"))
            field = &m_record.phonetic;
        if (!field) {
            // Other fields (tags, progress) are not used: skipping costs no text.
            m_xml.skipCurrentElement();
            continue;
        }
        // Markup inside a field contributes its text; the field stays one value.
        const QString text = m_xml.readElementText(QXmlStreamReader::IncludeChildElements);
        if (m_xml.hasError())
            return;
        *field = text;
    }
}

QString YoudaoWordBookReader::errorString() const
{
    return m_xml.hasError() ? m_xml.errorString() : QString();
}

YoudaoWordBookReader::Item YoudaoWordBookReader::cleaned(const Item &raw)
{
    Item item;
    item.word = raw.word.trimmed();
    item.trans = raw.trans.trimmed();
    const QString phonetic = raw.phonetic.trimmed();
    item.phonetic =
        phonetic.size() > 2 ? phonetic.mid(1, phonetic.size() - 2).trimmed() : QString();
    return item;
}

int YoudaoWordBookReader::estimateItems(QIODevice *device)
{
    static const QByteArray tag("<item");
    const QByteArrayMatcher matcher(tag);
    int count = 0;
    QByteArray carry;
    while (!device->atEnd()) {
        const QByteArray chunk = carry + device->read(256 * 1024);
        if (chunk.size() == carry.size())
            break;
        qsizetype at = 0;
        // A match needs the character after the tag name, so the tail waits for more bytes.
        const qsizetype last = chunk.size() - tag.size() - 1;
        while ((at = matcher.indexIn(chunk, at)) >= 0 && at <= last) {
            const char next = chunk.at(at + tag.size());
            if (next == '>' || next == '/' || next == ' ' || next == '\t' || next == '\n' ||
                next == '\r')
                ++count;
            ++at;
        }
        carry = chunk.right(qMin<qsizetype>(chunk.size(), tag.size()));
    }
    return count;
}
