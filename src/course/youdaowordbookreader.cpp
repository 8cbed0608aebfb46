#include "course/youdaowordbookreader.h"

#include <QIODevice>

#include <cstring>

namespace {

// Bytes read from the device at a time.
const qsizetype kBlock = 64 * 1024;

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isNameStart(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

bool isNameChar(char c)
{
    return isNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

// Whether text holds XML characters only (the bytes are known to be UTF-8).
bool isXmlText(QByteArrayView text)
{
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const uchar c = uchar(text.at(i));
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r')
            return false;
        // U+FFFE and U+FFFF are no XML characters.
        if (c == 0xEF && i + 2 < size && uchar(text.at(i + 1)) == 0xBF &&
            (uchar(text.at(i + 2)) == 0xBE || uchar(text.at(i + 2)) == 0xBF))
            return false;
    }
    return true;
}

// Whether the device's bytes from its position to its end are valid UTF-8. QXmlStreamReader
// decodes a block ahead of the markup it reads, so a bad byte ends its reading a little
// before it; the scanner only reads files where that cannot happen.
bool isUtf8ToEnd(QIODevice *device)
{
    QByteArray bytes;
    qsizetype carried = 0;
    for (;;) {
        bytes.resize(carried + kBlock);
        const qint64 got = device->read(bytes.data() + carried, kBlock);
        if (got <= 0)
            return carried == 0;
        const qsizetype size = carried + got;
        // A sequence cut by the end of the block waits for the next one.
        qsizetype complete = size;
        for (qsizetype back = 1; back <= 3 && back <= size; ++back) {
            const uchar c = uchar(bytes.at(size - back));
            if ((c & 0xC0) == 0x80)
                continue;
            const qsizetype length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
            if (length > back)
                complete = size - back;
            break;
        }
        if (!QByteArrayView(bytes).first(complete).isValidUtf8())
            return false;
        carried = size - complete;
        memmove(bytes.data(), bytes.constData() + complete, size_t(carried));
    }
}

} // namespace

YoudaoWordBookReader::YoudaoWordBookReader(QIODevice *device) : m_device(device)
{
    // Word books use no name spaces; resolving them costs time on every element.
    m_xml.setNamespaceProcessing(false);
}

bool YoudaoWordBookReader::hasWordBookRoot()
{
    if (!m_rootChecked) {
        m_rootChecked = true;
        if (!m_device->isSequential()) {
            m_start = m_device->pos();
            m_fast =
                isUtf8ToEnd(m_device) && m_device->seek(m_start) && scanPrologue() == Scan::Item;
            if (!m_fast) {
                m_buffer.clear();
                m_device->seek(m_start);
            }
        }
        m_rootOk = m_fast || plainRoot();
        m_done = !m_rootOk;
    }
    return m_rootOk;
}

bool YoudaoWordBookReader::next(Item &item)
{
    if (!hasWordBookRoot() || m_done)
        return false;
    if (m_fast) {
        const Scan scan = scanItem();
        if (scan == Scan::Item) {
            ++m_delivered;
            item = m_record;
            return true;
        }
        if (scan == Scan::End || !switchToPlain()) {
            m_done = true;
            return false;
        }
    }
    if (!plainNext()) {
        m_done = true;
        return false;
    }
    item = m_record;
    return true;
}

bool YoudaoWordBookReader::plainRoot()
{
    m_xml.setDevice(m_device);
    m_xml.setNamespaceProcessing(false);
    return m_xml.readNextStartElement() && m_xml.name() == QLatin1String("wordbook");
}

bool YoudaoWordBookReader::plainNext()
{
    if (!m_xml.readNextStartElement())
        return false; // End of the root element, or an error.
    if (m_xml.name() == QLatin1String("item"))
        readItemFields();
    else
        m_xml.skipCurrentElement();
    // An item cut short by an error is not delivered.
    return !m_xml.hasError();
}

bool YoudaoWordBookReader::switchToPlain()
{
    m_fast = false;
    m_buffer = QByteArray();
    m_pos = 0;
    // The record is rebuilt from the start, as reading only with QXmlStreamReader has it.
    m_record = Item();
    if (!m_device->seek(m_start) || !plainRoot())
        return false;
    for (int i = 0; i < m_delivered; ++i) {
        if (!plainNext())
            return false;
    }
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

bool YoudaoWordBookReader::need(qsizetype n)
{
    while (m_buffer.size() - m_pos < n) {
        // Read bytes are dropped first, so the buffer holds about one block.
        if (m_pos > 0) {
            const qsizetype left = m_buffer.size() - m_pos;
            memmove(m_buffer.data(), m_buffer.constData() + m_pos, size_t(left));
            m_buffer.truncate(left);
            m_pos = 0;
        }
        const qsizetype had = m_buffer.size();
        if (m_buffer.capacity() < had + kBlock)
            m_buffer.reserve(had + kBlock);
        m_buffer.resize(had + kBlock);
        const qint64 got = m_device->read(m_buffer.data() + had, kBlock);
        m_buffer.truncate(had + qMax<qint64>(got, 0));
        if (got <= 0)
            return false;
    }
    return true;
}

bool YoudaoWordBookReader::startsWith(QByteArrayView prefix)
{
    return need(prefix.size()) && QByteArrayView(m_buffer).sliced(m_pos, prefix.size()) == prefix;
}

bool YoudaoWordBookReader::skipSpace()
{
    while (need(1)) {
        if (!isSpace(m_buffer.at(m_pos)))
            return true;
        ++m_pos;
    }
    return false;
}

YoudaoWordBookReader::Scan YoudaoWordBookReader::scanPrologue()
{
    // The declaration as the dictionary writes it; any other goes to QXmlStreamReader.
    static const QByteArrayView declarations[] = {
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>",
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>",
    };
    for (const QByteArrayView declaration : declarations) {
        if (startsWith(declaration)) {
            m_pos += declaration.size();
            break;
        }
    }
    if (!skipSpace() || !startsWith("<wordbook>"))
        return Scan::Unknown;
    m_pos += qsizetype(sizeof("<wordbook>")) - 1;
    return Scan::Item;
}

YoudaoWordBookReader::Scan YoudaoWordBookReader::scanItem()
{
    if (!skipSpace())
        return Scan::Unknown;
    if (startsWith("</wordbook>"))
        return Scan::End;
    if (!startsWith("<item>"))
        return Scan::Unknown;
    m_pos += qsizetype(sizeof("<item>")) - 1;
    for (;;) {
        if (!skipSpace())
            return Scan::Unknown;
        if (startsWith("</item>")) {
            m_pos += qsizetype(sizeof("</item>")) - 1;
            return Scan::Item;
        }
        // A start tag without attributes: "<" name ">".
        qsizetype length = 1;
        if (m_buffer.at(m_pos) != '<' || !need(length + 1) ||
            !isNameStart(m_buffer.at(m_pos + length)))
            return Scan::Unknown;
        do {
            ++length;
            if (!need(length + 1))
                return Scan::Unknown;
        } while (isNameChar(m_buffer.at(m_pos + length)));
        if (m_buffer.at(m_pos + length) != '>')
            return Scan::Unknown;
        const QByteArray name = m_buffer.mid(m_pos + 1, length - 1);
        m_pos += length + 1;
        QByteArray text;
        if (scanText(name, text) != Scan::Item)
            return Scan::Unknown;
        QString *field = nullptr;
        if (name == "word")
            field = &m_record.word;
        else if (name == "trans")
            field = &m_record.trans;
        else if (name == "phonetic")
            field = &m_record.phonetic;
        if (field)
            *field = QString::fromUtf8(text);
    }
}

YoudaoWordBookReader::Scan YoudaoWordBookReader::scanText(QByteArrayView name, QByteArray &text)
{
    static const struct
    {
        QByteArrayView reference;
        char character;
    } entities[] = {
        {"&lt;", '<'}, {"&gt;", '>'}, {"&amp;", '&'}, {"&quot;", '"'}, {"&apos;", '\''}};
    const QByteArray endTag = "</" + name.toByteArray() + '>';
    bool inCData = false;
    for (;;) {
        if (!need(1))
            return Scan::Unknown;
        // Plain bytes up to the next one that needs a look.
        const char *data = m_buffer.constData();
        const qsizetype size = m_buffer.size();
        qsizetype at = m_pos;
        if (inCData) {
            while (at < size && data[at] != ']' && data[at] != '\r')
                ++at;
        } else {
            while (at < size && data[at] != '<' && data[at] != '&' && data[at] != ']' &&
                   data[at] != '\r')
                ++at;
        }
        text.append(data + m_pos, at - m_pos);
        m_pos = at;
        if (at == size)
            continue;
        const char c = data[at];
        if (c == '\r') {
            // Line ends are read as "\n", as XML prescribes for "\r\n" and a lone "\r".
            ++m_pos;
            if (need(1) && m_buffer.at(m_pos) == '\n')
                ++m_pos;
            text.append('\n');
        } else if (c == ']') {
            if (startsWith("]]>")) {
                // Ends a CDATA section; outside one it is not allowed.
                if (!inCData)
                    return Scan::Unknown;
                m_pos += 3;
                inCData = false;
            } else {
                text.append(']');
                ++m_pos;
            }
        } else if (c == '&') {
            bool known = false;
            for (const auto &entity : entities) {
                if (startsWith(entity.reference)) {
                    text.append(entity.character);
                    m_pos += entity.reference.size();
                    known = true;
                    break;
                }
            }
            if (!known)
                return Scan::Unknown;
        } else if (startsWith("<![CDATA[")) {
            m_pos += qsizetype(sizeof("<![CDATA[")) - 1;
            inCData = true;
        } else if (startsWith(endTag)) {
            m_pos += endTag.size();
            return isXmlText(text) ? Scan::Item : Scan::Unknown;
        } else {
            return Scan::Unknown;
        }
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
    // "<item" and the character after the name.
    const qsizetype match = 6;
    const qsizetype block = 256 * 1024;
    int count = 0;
    QByteArray bytes;
    qsizetype carried = 0;
    for (;;) {
        bytes.resize(carried + block);
        const qint64 got = device->read(bytes.data() + carried, block);
        if (got <= 0)
            break;
        const qsizetype size = carried + got;
        const char *data = bytes.constData();
        // Tags starting in the last match - 1 bytes wait for the next block.
        const qsizetype last = size - match;
        for (qsizetype at = 0; at <= last; ++at) {
            const void *found = memchr(data + at, '<', size_t(last - at + 1));
            if (!found)
                break;
            at = static_cast<const char *>(found) - data;
            const char next = data[at + 5];
            if (memcmp(data + at + 1, "item", 4) == 0 &&
                (next == '>' || next == '/' || next == ' ' || next == '\t' || next == '\n' ||
                 next == '\r'))
                ++count;
        }
        carried = qMin(size, match - 1);
        memmove(bytes.data(), data + size - carried, size_t(carried));
    }
    return count;
}
