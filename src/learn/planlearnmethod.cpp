#include "learn/planlearnmethod.h"

#include "learn/learncodes.h"
#include "learn/learnsetmgr.h"

PlanLearnMethod::PlanLearnMethod(LearnSetMgr &settings)
    : FreeLearnMethod(settings), m_quota(settings.planWordCount())
{
}

PlanLearnMethod::~PlanLearnMethod() = default;

int PlanLearnMethod::nextWord()
{
    const int wid = FreeLearnMethod::nextWord();
    if (wid > 0 && m_quota < m_todayNewWords + m_newCount) {
        m_wordId = 0;
        // The day's study ends here: the gradings and the session row (with the quota
        // used) go to the file now, not at some later pause or end.
        if (!m_quotaWritten)
            writeBack();
        m_quotaWritten = true;
        return LearnCode::QuotaUsed;
    }
    return wid;
}
