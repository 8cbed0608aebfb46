#pragma once

#include <QString>
#include <QXmlStreamReader>

class QIODevice;

// Streams the items of a Youdao word book (XML: root "wordbook", one "item" per word with
// the children "word", "trans" and "phonetic"), one at a time, in constant memory.
//
// Every child element of the root counts as one item; fields are read only from "item"
// elements. The fields are one record reused for all items: a field an item lacks keeps
// the value of the last item that had it. Reading stops for good at the first XML error;
// the items completed before it have been delivered.
//
// Word books as the dictionary writes them (plain elements, text, CDATA, the predefined
// entities) are read by a byte scanner that checks everything it accepts; at the first
// construct it does not know, the file is read again from the start with
// QXmlStreamReader, up to the items already delivered, so every file yields the same items
// and errors as QXmlStreamReader alone gives. A sequential device is read by
// QXmlStreamReader only.
class YoudaoWordBookReader
{
public:
    struct Item
    {
        QString word;
        QString trans;
        QString phonetic;
    };

    // Reads from device (already open); the device must outlive the reader.
    explicit YoudaoWordBookReader(QIODevice *device);

    // Whether the first start element is "wordbook" (reads up to it on first call).
    bool hasWordBookRoot();
    // The next item; false at the end of the root, at the first XML error, or when the
    // root is not "wordbook".
    bool next(Item &item);
    // The XML error that ended the reading, if any.
    QString errorString() const;

    // A quick estimate of the number of items: the "<item" start tags in the raw bytes,
    // read in chunks from the device's current position to its end.
    static int estimateItems(QIODevice *device);

    // The record as stored: the headword and both texts trimmed; the phonetic trimmed
    // and its enclosing brackets (first and last character) dropped.
    static Item cleaned(const Item &raw);

private:
    enum class Scan
    {
        Item,
        End,
        Unknown
    };

    bool plainRoot();
    bool plainNext();
    void readItemFields();
    // Falls back to QXmlStreamReader; false when even that finds no root.
    bool switchToPlain();

    Scan scanPrologue();
    Scan scanItem();
    Scan scanText(QByteArrayView name, QByteArray &text);
    bool skipSpace();
    // Whether the bytes at the read position start with prefix (reads more as needed).
    bool startsWith(QByteArrayView prefix);
    // At least n unread bytes, unless the device ends first.
    bool need(qsizetype n);

    QIODevice *m_device;
    qint64 m_start = 0;
    bool m_fast = false;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    int m_delivered = 0;

    QXmlStreamReader m_xml;
    Item m_record;
    bool m_rootChecked = false;
    bool m_rootOk = false;
    bool m_done = false;
};
