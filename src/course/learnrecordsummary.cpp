#include "course/learnrecordsummary.h"

#include "app/psqlite.h"

#include <QFileInfo>
#include <QStringList>

namespace {

const int kDefaultPointCount = 8;

// Read-only access to one record file for the summary queries.
class RecordReader : public psqlite
{
public:
    explicit RecordReader(const QString &path)
    {
        setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        m_ok = QFileInfo(path).isFile() && open(path, QString());
    }
    bool ok() const { return m_ok; }
    double number(const QString &sql, const QVariantList &values = {})
    {
        return rexecBound(sql, values).toDouble();
    }
    QString text(const QString &sql, const QVariantList &values)
    {
        return rexecBound(sql, values).toString();
    }

private:
    bool m_ok = false;
};

} // namespace

LearnRecordSummary readLearnRecordSummary(const QString &path)
{
    LearnRecordSummary s;
    RecordReader reader(path);
    if (!reader.ok())
        return s;
    s.opened = true;
    s.totalWords = int(reader.number(QStringLiteral("select count(wid) from TSTUDYWORD")));
    s.inLearning =
        int(reader.number(QStringLiteral("SELECT count(wid) from TSTUDYWORD where state = 1")));
    s.knownWell =
        int(reader.number(QStringLiteral("SELECT count(wid) from TSTUDYWORD where state = 2")));
    const double levels = reader.number(QStringLiteral("SELECT sum(DLevel) from TSTUDYWORD"));
    s.averageDLevel = s.totalWords > 0 ? levels / s.totalWords : 0.0;
    const double steps = reader.number(QStringLiteral("select sum(step) from TSTUDYWORD"));
    const double times = reader.number(QStringLiteral("select sum(times) from TSTUDYWORD"));
    s.stepsPerGrading = times != 0 ? steps / times : 0.0;

    const QString points =
        reader.text(QStringLiteral("select ItemValue from TSETINFO where ItemName = ?"),
                    {QStringLiteral("forgottenPoint")});
    const int n = points.isEmpty() ? kDefaultPointCount : points.split(QLatin1Char(',')).size();
    const double learningSteps =
        reader.number(QStringLiteral("select sum(Step) from TSTUDYWORD where step <= %1 and "
                                     "state = %2")
                          .arg(n)
                          .arg(1));
    if (s.totalWords > 0 && n > 0)
        s.studyProgress =
            100.0 * (learningSteps + double(n) * s.knownWell) / (double(n) * s.totalWords);
    return s;
}
