#pragma once

#include <QDate>
#include <QList>
#include <QString>

// The figures behind the progress charts of the home page, read from the learning records
// ("*.ldb") in the user's folder "/udata/<user>/":
// - due forecast: words in learning falling due on each of the next kForecastDays days
//   (due = LastTime + Fp seconds, local time); day 0 is today and also holds the words
//   already due. Read from the selected course's record, or from every record when no
//   course is selected;
// - daily activity: new words (SNWord) and reviewed words (SOWord) of the sessions started
//   on each of the last kActivityDays days (local date of BSTime), over every record;
// - where the words stand in the selected course: new words, words in learning on each
//   step of the course's forgetting-point list, words known well.
//
// Guarantees: "today" is the local date of Clock::now(). Records are only read, never
// created: a selected record that does not exist, or a file that is not a readable record,
// contributes nothing and is logged. Series always have their full length (zeros when there
// is nothing to count). A word in learning whose Step lies past the end of the list counts
// on the last step; one with an unreadable LastTime is not in the forecast.
class LearnChartData
{
public:
    static const int kForecastDays = 14;
    static const int kActivityDays = 30;

    // Statements run on each record; "?" placeholders are bound.
    static const char *const kDueDays;
    static const char *const kDailyActivity;
    static const char *const kWordStanding;

    explicit LearnChartData(const QString &userName);

    // Re-reads the records. selectedRecordPath: full path of the learning record of the
    // course selected on the home page; empty when none is selected. Returns the number of
    // records read.
    int refresh(const QString &selectedRecordPath = QString());

    // kForecastDays counts, the first for firstForecastDay().
    QList<int> dueForecast() const { return m_due; }
    QDate firstForecastDay() const { return m_today; }
    // Whether the forecast covers one course (else every record).
    bool forecastOfSelectedCourse() const { return m_hasSelected; }

    // kActivityDays counts each, the first for firstActivityDay(), the last for today.
    QList<int> activityNew() const { return m_activityNew; }
    QList<int> activityReviewed() const { return m_activityReviewed; }
    QDate firstActivityDay() const { return m_today.addDays(1 - kActivityDays); }

    // Whether a selected course's record was read; the standing below is empty otherwise.
    bool hasSelectedCourse() const { return m_hasSelected; }
    // The selected course's forgetting points (seconds), one per step.
    QList<int> forgettingPoints() const { return m_points; }
    // Words of the selected course: new, then one count per step, then known well
    // (forgettingPoints().size() + 2 values); empty without a selected course.
    QList<int> wordStanding() const { return m_standing; }

private:
    void clear();

    QString m_userName;
    QDate m_today;
    bool m_hasSelected = false;
    QList<int> m_due;
    QList<int> m_activityNew;
    QList<int> m_activityReviewed;
    QList<int> m_points;
    QList<int> m_standing;
};
