#pragma once

#include <QString>

// The figures of one learning record that the course lists show: read once, on a record
// file that already exists (nothing is created or changed).
struct LearnRecordSummary
{
    bool opened = false;
    int totalWords = 0;
    // Words in state 1 (in learning) and 2 (known well).
    int inLearning = 0;
    int knownWell = 0;
    // Average difficulty level, steps per grading, study progress in percent.
    double averageDLevel = 0.0;
    double stepsPerGrading = 0.0;
    double studyProgress = 0.0;

    // Every word known well; a record without words counts as mastered too.
    bool allKnown() const { return knownWell == totalWords; }
};

// Reads the summary of the learning record file at path (a full native path).
LearnRecordSummary readLearnRecordSummary(const QString &path);
