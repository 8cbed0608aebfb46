#include "learn/freelearnmethod.h"

#include "learn/learncodes.h"
#include "learn/learncoursedbmemory.h"
#include "learn/recordwriter.h"

#include <QDebug>

const char *const FreeLearnMethod::kMemoryConnectionName = "FreeLearnMethodMDB";

FreeLearnMethod::FreeLearnMethod(LearnSetMgr &settings)
    : LearnMethodBase(settings), m_memory(nullptr), m_file(nullptr), m_todayNewWords(0),
      m_writer(nullptr), m_syncSaved(true), m_written(0), m_gradingsWritten(0),
      m_sessionWrites(false)
{
    m_newCount = 0;
    m_dueCount = 0;
}

FreeLearnMethod::~FreeLearnMethod()
{
    dropCopy();
}

void FreeLearnMethod::dropCopy()
{
    if (!m_memory)
        return;
    writeBack();
    if (m_writer) {
        m_writer->finish();
        m_syncSaved = m_writer->saved();
        m_syncError = m_writer->error();
        if (!m_syncSaved)
            qDebug() << "FreeLearnMethod 学习记录写回失败, 未写入的语句"
                     << m_writer->pendingStatements() << m_syncError;
        delete m_writer;
        m_writer = nullptr;
    } else if (!m_syncSaved) {
        qDebug() << "FreeLearnMethod 学习记录写回失败, 未写入的语句"
                 << m_memory->journalSize() - m_written << m_syncError;
    }
    if (m_sessionWrites && m_file)
        m_file->endSessionWrites();
    m_sessionWrites = false;
    m_record = nullptr;
    delete m_memory;
    m_memory = nullptr;
}

void FreeLearnMethod::attach(LearnCourseDBBase *file)
{
    dropCopy();
    resetWordState();
    m_file = file;
    m_memory = new LearnCourseDBMemory(QLatin1String(kMemoryConnectionName));
    m_record = m_memory;
    m_written = 0;
    m_gradingsWritten = m_gradings;
    m_todayNewWords = file ? int(file->todayNewWords()) : 0;
    qDebug() << "今天已学新单词" << m_todayNewWords;
    if (file) {
        m_memory->copyFrom(*file);
        file->beginSessionWrites();
        m_sessionWrites = true;
        const QString path = file->databasePath();
        if (file->isOpen() && !path.isEmpty() && path != QLatin1String(":memory:"))
            m_writer = new RecordWriter(path);
    }
}

bool FreeLearnMethod::writeBack()
{
    if (!m_memory)
        return false;
    // This write-back point is used up whatever happens: a failure is retried at the
    // next point, never at every draw.
    m_gradingsWritten = m_gradings;
    const int size = m_memory->journalSize();
    const std::optional<UseLogRow> log =
        m_useLogSource ? std::optional<UseLogRow>(m_useLogSource()) : std::nullopt;
    if (size <= m_written && !log)
        return true;
    const QStringList batch = m_memory->journal().mid(m_written);
    if (m_writer) {
        m_writer->submit(batch, log);
        m_written = size;
        return true;
    }
    if (!m_file)
        return false;
    m_syncSaved = m_file->writeBatch(batch, log ? &*log : nullptr, &m_logRowId, &m_syncError);
    if (!m_syncSaved) {
        qDebug() << "FreeLearnMethod 学习记录写回失败" << m_syncError;
        return false;
    }
    m_syncError.clear();
    m_written = size;
    return true;
}

int FreeLearnMethod::unsavedStatements() const
{
    if (m_writer)
        return m_writer->pendingStatements();
    return m_memory ? m_memory->journalSize() - m_written : 0;
}

void FreeLearnMethod::finishSession()
{
    dropCopy();
}

bool FreeLearnMethod::gradingsSaved() const
{
    return m_writer ? m_writer->saved() : m_syncSaved;
}

QString FreeLearnMethod::saveError() const
{
    return m_writer ? m_writer->error() : m_syncError;
}

int FreeLearnMethod::undo()
{
    const int wid = LearnMethodBase::undo();
    // Gradings taken back were either never written or are written again restored.
    m_gradingsWritten = qMin(m_gradingsWritten, m_gradings);
    return wid;
}

void FreeLearnMethod::pauseTiming()
{
    writeBack();
}

int FreeLearnMethod::nextWord()
{
    resetWordState();
    if (!m_memory) {
        qDebug() << "FreeLearnMethod::nextWord 没有学习记录";
        return LearnCode::AllKnown;
    }
    if (unwrittenGradings() >= kWriteBackEvery)
        writeBack();

    int wid = m_memory->nextDueWord();
    if (wid != 0) {
        ++m_dueCount;
        loadWord(wid);
        markDrawn();
        return wid;
    }
    wid = m_memory->firstNewWord();
    if (wid != 0) {
        ++m_newCount;
        loadWord(wid);
        markDrawn();
        return wid;
    }
    if (m_memory->countInState(LearnCode::Known) == m_memory->totalWords())
        return LearnCode::AllKnown;
    return LearnCode::NothingDue;
}
