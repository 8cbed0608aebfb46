#pragma once

#include <QString>
#include <QVariantMap>

// The learner's overall report across every learning record ("*.ldb") in the user's
// folder "/udata/<user>/".
//
// Guarantees: every value is 0 until a refresh finds at least one record; a refresh that
// finds none leaves the report as it was. A record that cannot be read contributes zeros
// but still counts in the two means. No division by zero.
class LearnReportMgr
{
public:
    static const char *const kKnowwellWordCount;
    static const char *const kTotalStudyTime;
    static const char *const kLearnSpeed;
    static const char *const kForgetProbability;
    static const char *const kStudyWordCount;
    static const char *const kStudyProgress;

    explicit LearnReportMgr(const QString &userName);

    // Recomputes the report from the record files. Returns the number of records read.
    int refresh();

    // Words known well, summed over all records.
    int knowwellWordCount() const;
    // Seconds of study (all sessions of all records).
    uint totalStudyTime() const;
    // Words known well per hour of study.
    int learnSpeed() const;
    // Mean over the records of sum of Step / sum of times.
    float forgetProbability() const;
    // Words known well or in learning, summed over all records.
    int studyWordCount() const;
    // Mean over the records of their study progress, in percent.
    float studyProgress() const;
    QVariantMap values() const { return m_values; }

private:
    QString m_userName;
    QVariantMap m_values;
};
