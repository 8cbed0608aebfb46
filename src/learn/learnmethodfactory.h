#pragma once

class LearnMethodBase;
class LearnSetMgr;

// The learning method a course's settings ask for: the plan method when learnMode is 2,
// otherwise (1 or any other value) the free method. The caller owns the result and must
// attach it to a record.
LearnMethodBase *createLearnMethod(LearnSetMgr &settings);
