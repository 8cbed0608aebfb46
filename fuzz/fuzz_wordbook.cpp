// libFuzzer target: the Youdao word-book reader on arbitrary bytes. Every item it
// delivers is cleaned as the importer does; the reader must end (no hang), never crash,
// and never deliver more items than the input has start tags.
#include "course/youdaowordbookreader.h"

#include <QBuffer>
#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    YoudaoWordBookReader reader(&buffer);
    YoudaoWordBookReader::Item raw;
    qsizetype items = 0;
    while (reader.next(raw)) {
        const YoudaoWordBookReader::Item item = YoudaoWordBookReader::cleaned(raw);
        if (item.phonetic.size() > raw.phonetic.size())
            std::abort();
        ++items;
    }
    if (items > bytes.count('<'))
        std::abort();
    // The progress estimate scans the same bytes, in chunks.
    QBuffer again;
    again.setData(bytes);
    again.open(QIODevice::ReadOnly);
    if (YoudaoWordBookReader::estimateItems(&again) > bytes.count('<'))
        std::abort();
    return 0;
}
