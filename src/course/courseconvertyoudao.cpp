#include "course/courseconvertyoudao.h"

#include "course/coursedb.h"
#include "course/fullworddb.h"
#include "course/youdaowordbookreader.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <memory>

namespace {

// Progress is reported for the items 0, 100, 200, ... (as 1, 101, 201, ...).
const int kProgressStep = 100;

const char *tagOf(bool merge)
{
    return merge ? "CourseConvertYoudao::startmerge" : "CourseConvertYoudao::startConvert";
}

// The target course, opened with a transaction begun; null when that fails.
std::unique_ptr<CourseDB> openTarget(const QString &target, bool merge)
{
    if (!merge && QFileInfo::exists(target)) {
        // A new course's file number is fresh; a file there is a leftover of a course
        // that no longer exists, and its words must not join the new course.
        qDebug() << tagOf(merge) << "删除残留的课程文件" << target;
        QFile::remove(target);
    }
    auto course = std::make_unique<CourseDB>(target);
    // A new course's tables are created in the import's own transaction.
    if (merge ? course->isOpen() && course->transaction() : course->beginWithTables())
        return course;
    qDebug() << tagOf(merge) << "打开课程失败" << target;
    if (!merge) {
        course->closeFile();
        QFile::remove(target);
    }
    return nullptr;
}

// Stores a batch of cleaned items: each headword once (the first item wins), with its
// example sentence. Words the course already has are left out before their sentences are
// looked up when merging; in a new course only a word repeated in the book can be there,
// and insertWords skips it.
void storeBatch(const QList<YoudaoWordBookReader::Item> &items, CourseDB &course,
                FullWordDB &sentences, bool merge)
{
    QSet<QString> seen;
    QStringList words;
    QList<const YoudaoWordBookReader::Item *> fresh;
    for (const YoudaoWordBookReader::Item &item : items) {
        if (!seen.contains(item.word)) {
            seen.insert(item.word);
            words << item.word;
            fresh << &item;
        }
    }
    if (merge) {
        const QSet<QString> known = course.wordsAmong(words);
        if (!known.isEmpty()) {
            words.clear();
            QList<const YoudaoWordBookReader::Item *> unknown;
            for (const YoudaoWordBookReader::Item *item : std::as_const(fresh)) {
                if (!known.contains(item->word)) {
                    words << item->word;
                    unknown << item;
                }
            }
            fresh = unknown;
        }
    }
    const QStringList found = sentences.getESentences(words);
    QList<CourseDB::Word> rows;
    rows.reserve(fresh.size());
    for (qsizetype i = 0; i < fresh.size(); ++i)
        rows << CourseDB::Word{fresh.at(i)->word, fresh.at(i)->trans, fresh.at(i)->phonetic,
                               found.at(i).trimmed()};
    course.insertWords(rows);
}

} // namespace

CourseConvertYoudao::CourseConvertYoudao(FullWordDB *sentences, QObject *parent)
    : CourseConvertBase(QStringLiteral("有道词典单词本"), parent), m_sentences(sentences)
{
}

int CourseConvertYoudao::startConvert(const QString &source, const QString &target)
{
    return run(source, target, false);
}

int CourseConvertYoudao::startMerge(const QString &source, const QString &target)
{
    return run(source, target, true);
}

int CourseConvertYoudao::run(const QString &source, const QString &target, bool merge)
{
    resetCancel();
    QFile file(source);
    if (!file.open(QIODevice::ReadOnly)) {
        qDebug() << tagOf(merge) << "打开文件失败" << source;
        return 0;
    }
    // The progress total comes from a quick scan of the raw bytes, so that the file is
    // parsed only once.
    const int estimate = YoudaoWordBookReader::estimateItems(&file);
    file.seek(0);
    YoudaoWordBookReader reader(&file);
    if (!reader.hasWordBookRoot()) {
        qDebug() << tagOf(merge) << "不是有道单词本" << source << reader.errorString();
        return 0;
    }
    if (merge && !QFileInfo::exists(target)) {
        qDebug() << tagOf(merge) << "课程不存在" << target;
        return 0;
    }

    std::unique_ptr<FullWordDB> ownSentences;
    FullWordDB *sentences = m_sentences ? m_sentences : g_pFullWordDB;
    // The course is opened at the first item: a book without items touches nothing.
    std::unique_ptr<CourseDB> course;
    int count = 0;
    bool cancelled = false;
    // Items wait here until a batch is full: one sentence look-up and one insert for each
    // hundred words.
    QList<YoudaoWordBookReader::Item> batch;
    batch.reserve(CourseDB::kBatchSize);
    YoudaoWordBookReader::Item raw;
    while (reader.next(raw)) {
        if (!course) {
            course = openTarget(target, merge);
            if (!course)
                return 0;
            if (!sentences) {
                ownSentences = std::make_unique<FullWordDB>();
                sentences = ownSentences.get();
            }
            sentences->beginLookups();
        }
        if (count % kProgressStep == 0) {
            emit updateDataReadProgress(count + 1, qMax(estimate, count + 1));
            if (cancelRequested()) {
                cancelled = true;
                break;
            }
        }
        ++count;
        YoudaoWordBookReader::Item item = YoudaoWordBookReader::cleaned(raw);
        // An element without a headword (before the first item) has nothing to store.
        if (item.word.isEmpty())
            continue;
        batch << std::move(item);
        if (batch.size() == CourseDB::kBatchSize) {
            storeBatch(batch, *course, *sentences, merge);
            batch.clear();
        }
    }
    if (course && !cancelled)
        storeBatch(batch, *course, *sentences, merge);
    if (!reader.errorString().isEmpty())
        qDebug() << tagOf(merge) << "单词本格式错误" << source << reader.errorString() << "已读"
                 << count;
    if (!course)
        return 0;
    if (!cancelled) {
        emit updateDataReadProgress(count, count);
        cancelled = cancelRequested();
    }
    sentences->endLookups();

    if (cancelled) {
        course->rollback();
        qDebug() << tagOf(merge) << "已取消" << source;
        if (!merge) {
            course->closeFile();
            QFile::remove(target);
        }
        return 0;
    }
    course->commit();
    const int words = course->wordCount();
    qDebug() << tagOf(merge) << "wordCount" << words << "items" << count;
    return words;
}
