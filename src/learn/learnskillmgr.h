#pragma once

#include "app/psqlite.h"

// The study tips shipped in "/odata/learnskill.db" (table TSkill: id 1 to count, info),
// served one at a time starting from a random one.
//
// Guarantees: with no tips (a missing, empty or unreadable database) every operation
// returns the empty string and nothing divides by zero. The database is opened read-only
// and a missing file is not created.
class LearnSkillMgr : public psqlite
{
public:
    // The file's schema, written by the data builder.
    static const char *const kCreateTable;
    static const char *const kCountTips;
    static const char *const kTip;

    // path: full native path; empty means appPath("/odata/learnskill.db").
    explicit LearnSkillMgr(const QString &path = QString());
    ~LearnSkillMgr() override;

    int tipCount() const { return m_count; }
    // The number of the current tip, 1 to tipCount(); 0 when there are none.
    int currentNumber() const { return m_current; }
    QString currentTip();
    // The following tip, wrapping from the last to tip 1.
    QString nextTip();
    // The preceding tip, wrapping from tip 1 to the last.
    QString previousTip();
    // The tip with that id; "" when there is none.
    QString tip(int id);

private:
    int m_count;
    int m_current;
};
