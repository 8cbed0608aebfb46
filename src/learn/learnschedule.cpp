#include "learn/learnschedule.h"

#include "learn/learncodes.h"

#include <QtGlobal>

QList<int> LearnSchedule::defaultPoints()
{
    return {300, 1800, 43200, 86400, 172800, 345600, 604800, 1296000};
}

QList<int> LearnSchedule::usablePoints(const QList<int> &points)
{
    return points.isEmpty() ? defaultPoints() : points;
}

int LearnSchedule::stepOnList(int step, int pointCount)
{
    const int last = qMax(pointCount, 1) - 1;
    return qBound(0, step, last);
}

int LearnSchedule::pointOf(const QList<int> &points, int step)
{
    const QList<int> list = usablePoints(points);
    return list.at(stepOnList(step, int(list.size())));
}

StudyWordRow LearnSchedule::graded(const StudyWordRow &drawn)
{
    StudyWordRow word = drawn;
    word.state = LearnCode::Learning;
    word.times = drawn.times + 1;
    return word;
}

ScheduleChange LearnSchedule::known(int penalty)
{
    ScheduleChange change;
    change.state = LearnCode::Known;
    change.dLevel = 0;
    change.becameKnown = true;
    change.penalty = penalty;
    return change;
}

ScheduleChange LearnSchedule::onStep(int step, const QList<int> &points, int penalty)
{
    ScheduleChange change;
    change.step = step;
    change.fp = pointOf(points, step);
    change.penalty = penalty;
    return change;
}

ScheduleChange LearnSchedule::afterAsk(int grade, const StudyWordRow &drawn, int penalty,
                                       const QList<int> &points)
{
    const int count = int(usablePoints(points).size());
    const int step = stepOnList(drawn.step, count);
    switch (grade) {
    case LearnCode::KnowWell:
        return known(penalty);
    case LearnCode::Dim:
        return onStep(step, points, penalty + 1);
    case LearnCode::Oblivious:
        return onStep(qMax(step - 1, 0), points, penalty + 2);
    case LearnCode::Unknown:
        return onStep(0, points, penalty + 3);
    default: {
        // Plain waits for the check; unknown codes change nothing.
        ScheduleChange none;
        none.penalty = penalty;
        return none;
    }
    }
}

ScheduleChange LearnSchedule::afterConfirm(int grade, int check, const StudyWordRow &drawn,
                                           int penalty, const QList<int> &points)
{
    const int count = int(usablePoints(points).size());
    const int step = stepOnList(drawn.step, count);
    ScheduleChange change;
    change.penalty = penalty;
    if (check == LearnCode::Right) {
        if (grade == LearnCode::Plain) {
            // A word recalled right at its first grading, or from the last step, is learned.
            if (drawn.times == 0 || step + 1 >= count)
                return known(penalty);
            change = onStep(step + 1, points, penalty);
            change.dLevel = drawn.dLevel + penalty;
        } else if (grade == LearnCode::Dim) {
            change = onStep(step, points, penalty);
            change.dLevel = drawn.dLevel + penalty;
        }
    } else if (check == LearnCode::Error) {
        int added = 1;
        if (grade == LearnCode::Plain)
            added += 2;
        else if (grade == LearnCode::Dim)
            added += 1;
        change = onStep(qMax(step - 1, 0), points, penalty + added);
        change.dLevel = drawn.dLevel + change.penalty;
    }
    return change;
}

ScheduleChange LearnSchedule::afterLearn(int answer, const StudyWordRow &drawn, int penalty)
{
    ScheduleChange change;
    change.penalty = penalty;
    if (answer == LearnCode::Next)
        change.dLevel = drawn.dLevel + penalty;
    return change;
}

StudyWordRow LearnSchedule::applied(const StudyWordRow &word, const ScheduleChange &change)
{
    StudyWordRow result = word;
    if (change.state)
        result.state = *change.state;
    if (change.step)
        result.step = *change.step;
    if (change.fp)
        result.fp = *change.fp;
    if (change.dLevel)
        result.dLevel = *change.dLevel;
    return result;
}
