#pragma once

#include "learn/studywordrow.h"

#include <QList>

#include <optional>

// What one answer does to a word beyond recording the grading itself. The method records
// each present field with one update, in the order state, step, fp, dLevel.
struct ScheduleChange
{
    std::optional<int> state;
    std::optional<int> step;
    std::optional<int> fp;
    std::optional<int> dLevel;
    // The word became known well by this answer (counts for the session).
    bool becameKnown = false;
    // The difficulty points the word has collected since it was drawn, after this answer.
    int penalty = 0;
};

// The spaced-repetition schedule as pure functions of the word's row as it was when the
// word was drawn ("drawn"), the penalty collected since, and the forgetting points.
//
// Guarantees: every step written lies on the list (0 to N - 1, N the number of points);
// a drawn step below 0 reads as 0 and one at or past the end as the last step, so a
// shortened list never makes an index leave it. An empty list reads as the default list.
class LearnSchedule
{
public:
    // 300, 1800, 43200, 86400, 172800, 345600, 604800, 1296000 seconds.
    static QList<int> defaultPoints();
    // points, or the default list when points is empty.
    static QList<int> usablePoints(const QList<int> &points);
    // step moved onto a list of pointCount points (pointCount < 1 counts as 1).
    static int stepOnList(int step, int pointCount);
    // The forgetting point of step, the step first moved onto the list.
    static int pointOf(const QList<int> &points, int step);

    // Recording any grading: STATE becomes 1 and times grows by one.
    static StudyWordRow graded(const StudyWordRow &drawn);
    // The grade-specific part of answerAsk (grade code 10 to 50; others change nothing).
    static ScheduleChange afterAsk(int grade, const StudyWordRow &drawn, int penalty,
                                   const QList<int> &points);
    // answerConfirm (check 1 Right, 2 Error) after the word was given grade.
    static ScheduleChange afterConfirm(int grade, int check, const StudyWordRow &drawn, int penalty,
                                       const QList<int> &points);
    // answerLearn (answer 1 Next).
    static ScheduleChange afterLearn(int answer, const StudyWordRow &drawn, int penalty);

    // word with the present fields of change applied.
    static StudyWordRow applied(const StudyWordRow &word, const ScheduleChange &change);

private:
    static ScheduleChange known(int penalty);
    static ScheduleChange onStep(int step, const QList<int> &points, int penalty);
};
