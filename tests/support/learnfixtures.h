#pragma once

#include "learn/learnmgr.h"
#include "learn/studywordrow.h"
#include "sqlitefile.h"

#include <QDateTime>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariantList>

// Builders and readers the learning-engine tests share. Readers open their own connection
// and close it again, so they see what reached the file.
namespace LearnFixtures {

using ::columnOfFile;
using ::execOnConnection;
using ::execOnFile;

// A row as one line of text, for failure messages.
QString describe(const StudyWordRow &row);

// A course file at path with count words "word1".."wordN" (ids 1..N); returns whether it
// was made.
bool makeCourse(const QString &path, int count);
// Every TSTUDYWORD row of the file, by WID.
QMap<int, StudyWordRow> rowsOfFile(const QString &path);
// Every TSTUDYWORD row reachable through an open connection, by WID.
QMap<int, StudyWordRow> rowsOfConnection(const QString &connectionName);
// Local time text of now + seconds, as LastTime and BSTime are stored.
QString localText(qint64 secondsFromNow);
// Compares two row maps, reporting the first difference in *why.
bool sameRows(const QMap<int, StudyWordRow> &a, const QMap<int, StudyWordRow> &b, QString *why);
// Word ids of the record file in the order it was filled (TSTUDYWORD by ID).
QList<int> fillOrder(const QString &recordPath);
// The statement that logs a 60-second session without pause, started at start (stored
// text), with newWords new and oldWords due words.
QString insertUseLog(const QString &start, int newWords, int oldWords = 0);
// Takes the next word through mgr and grades it: grade to the ask, then check and answer
// when not 0. Returns the word id, or what nextWord() gave when no word was offered.
// Inline so tests that do not link these fixtures can use it too.
inline int study(LearnMgr &mgr, int grade, int check = 0, int answer = 0)
{
    const int word = mgr.nextWord();
    if (word <= 0)
        return word;
    mgr.answerAsk(grade);
    if (check)
        mgr.answerConfirm(check);
    if (answer)
        mgr.answerLearn(answer);
    return word;
}

} // namespace LearnFixtures
