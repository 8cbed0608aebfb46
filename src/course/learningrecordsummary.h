#pragma once

#include <QString>

#include <functional>

// What the course lists show of a learner's record of one course. The record itself belongs
// to the learning engine; the category tree only receives these figures through the reader
// it is given, so the course floor never opens a learning record.
struct LearningRecordSummary
{
    float averageDLevel = 0;
    float stepsPerGrading = 0;
    float studyProgress = 0;
    int knownCount = 0;
    int learningCount = 0;
    // Every word known well (a record without words counts as such).
    bool allKnown = false;
};

// Reads the summary of the existing learning record file at path.
using LearningRecordReader = std::function<LearningRecordSummary(const QString &path)>;
