#pragma once

#include <QString>

// One word of a course word list, as written in the text source.
struct CourseWord
{
    QString word;
    QString phonetic;
    QString trans;
    QString esentence;
    int line = 0;
};
