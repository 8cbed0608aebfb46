#pragma once

#include <QString>

// One TSTUDYWORD row of a learning record: a word's place in the schedule.
struct StudyWordRow
{
    int wid = 0;
    int state = 0;
    int dLevel = 0;
    int step = 0;
    int fp = 0;
    int mark = 0;
    int times = 0;
    // LastTime as stored (local time text); a null string when the row has none.
    QString lastTime;

    bool operator==(const StudyWordRow &o) const
    {
        return wid == o.wid && state == o.state && dLevel == o.dLevel && step == o.step &&
               fp == o.fp && mark == o.mark && times == o.times && lastTime == o.lastTime;
    }
    bool operator!=(const StudyWordRow &o) const { return !(*this == o); }
};
