#pragma once

#include <QList>
#include <QString>
#include <QVariant>

class LearnCourseDBBase;

// The study settings of one course, stored as TSETINFO rows of its learning record.
//
// Guarantees: a missing or unreadable row yields the key's default (learnMode 1,
// planWordCount 100, showES and showSI true, the eight default forgetting points);
// forgettingPoints is never empty. With a null record every getter yields its default and
// setters do nothing.
class LearnSetMgr
{
public:
    static const char *const kLearnMode;        // "main/learnMode"
    static const char *const kPlanWordCount;    // "planMode/odswn"
    static const char *const kShowES;           // "main/showES"
    static const char *const kShowSI;           // "main/showSI"
    static const char *const kForgettingPoints; // "forgottenPoint"

    // record: not owned; must outlive this object.
    explicit LearnSetMgr(LearnCourseDBBase *record);

    // 1 free, 2 plan; any other stored value is returned as it is.
    int learnMode() const;
    void setLearnMode(int mode);
    // New words per day in plan mode.
    int planWordCount() const;
    void setPlanWordCount(int count);
    bool showES() const;
    void setShowES(bool show);
    bool showSI() const;
    void setShowSI(bool show);
    // Seconds, in schedule order, as stored (not sorted).
    QList<int> forgettingPoints() const;
    void setForgettingPoints(const QList<int> &points);

    // The record's study progress in percent, over this course's forgetting points.
    float studyProgress() const;

    // The stored text form: decimals joined with "," ("" for an empty list).
    static QString formatForgettingPoints(const QList<int> &points);
    // Empty text: the default list; else each ","-separated part as a decimal, a part that
    // is not a number (an empty one too) giving 0.
    static QList<int> parseForgettingPoints(const QString &text);

private:
    // The record's value of key; defaultValue when the row is missing or there is no record.
    QVariant stored(const char *key, const QVariant &defaultValue) const;
    // Stores value under key; nothing without a record.
    void store(const char *key, const QVariant &value);

    LearnCourseDBBase *m_record;
};
