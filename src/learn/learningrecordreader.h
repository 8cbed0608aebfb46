#pragma once

#include "course/learningrecordsummary.h"

// The figures the course lists show of the existing learning record at path. The category
// tree is built with this reader (a LearningRecordReader).
LearningRecordSummary readLearningRecord(const QString &path);
