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
    void readItemFields();

    QXmlStreamReader m_xml;
    Item m_record;
    bool m_rootChecked = false;
    bool m_rootOk = false;
    bool m_done = false;
};
