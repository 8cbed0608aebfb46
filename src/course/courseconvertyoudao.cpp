#include "course/courseconvertyoudao.h"

#include "course/coursedb.h"
#include "course/fullworddb.h"
#include "course/youdaowordbookreader.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>

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
    if (!merge)
        course->createTables();
    if (course->isOpen() && course->transaction())
        return course;
    qDebug() << tagOf(merge) << "打开课程失败" << target;
    if (!merge) {
        course->closeFile();
        QFile::remove(target);
    }
    return nullptr;
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
        const YoudaoWordBookReader::Item item = YoudaoWordBookReader::cleaned(raw);
        // An element without a headword (before the first item) has nothing to store.
        if (!item.word.isEmpty())
            course->insertWord(item.word, item.trans, item.phonetic,
                               sentences->getESentence(item.word).trimmed());
        if (count % kProgressStep == 0) {
            emit updateDataReadProgress(count + 1, qMax(estimate, count + 1));
            if (cancelRequested()) {
                cancelled = true;
                break;
            }
        }
        ++count;
    }
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
