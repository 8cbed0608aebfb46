#include "learn/freelearnmethod.h"

#include "learn/learncodes.h"
#include "learn/learncoursedbmemory.h"

#include <QDebug>

const char *const FreeLearnMethod::kMemoryConnectionName = "FreeLearnMethodMDB";

FreeLearnMethod::FreeLearnMethod(LearnSetMgr &settings)
    : LearnMethodBase(settings), m_memory(nullptr), m_file(nullptr), m_todayNewWords(0),
      m_written(0), m_gradingsWritten(0), m_sessionWrites(false)
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
    if (!writeBack())
        qDebug() << "FreeLearnMethod 学习记录写回失败, 未写入的语句"
                 << m_memory->journalSize() - m_written;
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
    }
}

bool FreeLearnMethod::writeBack()
{
    if (!m_memory)
        return false;
    const int size = m_memory->journalSize();
    if (size > m_written) {
        if (!m_file)
            return false;
        if (!m_file->replay(m_memory->journal().mid(m_written)))
            return false;
        m_written = size;
    }
    m_gradingsWritten = m_gradings;
    return true;
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
        return wid;
    }
    wid = m_memory->firstNewWord();
    if (wid != 0) {
        ++m_newCount;
        loadWord(wid);
        return wid;
    }
    if (m_memory->countInState(LearnCode::Known) == m_memory->totalWords())
        return LearnCode::AllKnown;
    return LearnCode::NothingDue;
}
