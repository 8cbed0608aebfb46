#include "learn/learningrecordreader.h"

#include "learn/learncodes.h"
#include "learn/learncoursedb.h"
#include "learn/learnsetmgr.h"

LearningRecordSummary readLearningRecord(const QString &path)
{
    LearnCourseDB record(path);
    LearningRecordSummary result;
    result.averageDLevel = record.averageDLevel();
    result.stepsPerGrading = record.stepsPerGrading();
    result.studyProgress = LearnSetMgr(&record).studyProgress();
    result.knownCount = record.countInState(LearnCode::Known);
    result.learningCount = record.countInState(LearnCode::Learning);
    result.allKnown = record.allKnown();
    return result;
}
