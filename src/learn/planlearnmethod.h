#pragma once

#include "learn/freelearnmethod.h"

// Plan mode: as free mode, but once the day's quota of new words ("planMode/odswn") is
// used up every draw returns LearnCode::QuotaUsed.
//
// The quota counts today's earlier sessions (today's new words, read at attach) and this
// session's new count. The draw that would exceed it returns QuotaUsed; its word is not
// made current but stays counted in the new count, so every later draw of the session,
// due words included, returns QuotaUsed too.
class PlanLearnMethod : public FreeLearnMethod
{
public:
    // Reads the quota from settings (only during construction).
    explicit PlanLearnMethod(LearnSetMgr &settings);
    ~PlanLearnMethod() override;

    int nextWord() override;
    int quota() const { return m_quota; }

private:
    int m_quota;
    bool m_quotaWritten = false;
};
