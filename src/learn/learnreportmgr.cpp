#include "learn/learnreportmgr.h"

#include "app/apppath.h"
#include "app/userfolder.h"
#include "learn/learncodes.h"
#include "learn/learncoursedb.h"
#include "learn/learnsetmgr.h"

#include <QDebug>
#include <QFileInfo>

const char *const LearnReportMgr::kKnowwellWordCount = "knowwellWordCount";
const char *const LearnReportMgr::kTotalStudyTime = "totalStudyTime";
const char *const LearnReportMgr::kLearnSpeed = "learnSpeed";
const char *const LearnReportMgr::kForgetProbability = "forgetProbability";
const char *const LearnReportMgr::kStudyWordCount = "studyWordCount";
const char *const LearnReportMgr::kStudyProgress = "studyProgress";

LearnReportMgr::LearnReportMgr(const QString &userName) : m_userName(userName)
{
    m_values.insert(QLatin1String(kKnowwellWordCount), 0);
    m_values.insert(QLatin1String(kTotalStudyTime), 0u);
    m_values.insert(QLatin1String(kLearnSpeed), 0.0);
    m_values.insert(QLatin1String(kForgetProbability), 0.0f);
    m_values.insert(QLatin1String(kStudyWordCount), 0);
    m_values.insert(QLatin1String(kStudyProgress), 0.0f);
}

int LearnReportMgr::refresh()
{
    // The name becomes a folder name: never let it climb out of "/udata".
    const QString folder = userFolderPath(m_userName);
    if (folder.isEmpty())
        return 0;
    QStringList files;
    const QStringList entries = listFiles(folder, QStringLiteral("*.ldb"));
    for (const QString &entry : entries) {
        if (QFileInfo(entry).isFile())
            files << entry;
    }
    if (files.isEmpty())
        return 0;

    int known = 0;
    uint seconds = 0;
    int studied = 0;
    double stepsPerGrading = 0;
    double progress = 0;
    for (const QString &file : files) {
        LearnCourseDB record(file);
        const int k = record.countInState(LearnCode::Known);
        const int l = record.countInState(LearnCode::Learning);
        known += k;
        seconds += record.totalStudySeconds();
        studied += k + l;
        stepsPerGrading += record.stepsPerGrading();
        progress += LearnSetMgr(&record).studyProgress();
    }
    const int count = int(files.size());
    m_values.insert(QLatin1String(kKnowwellWordCount), known);
    m_values.insert(QLatin1String(kTotalStudyTime), seconds);
    m_values.insert(QLatin1String(kLearnSpeed), seconds == 0 ? 0.0 : known * 3600.0 / seconds);
    m_values.insert(QLatin1String(kForgetProbability), float(stepsPerGrading / count));
    m_values.insert(QLatin1String(kStudyWordCount), studied);
    m_values.insert(QLatin1String(kStudyProgress), float(progress / count));
    return count;
}

int LearnReportMgr::knowwellWordCount() const
{
    return m_values.value(QLatin1String(kKnowwellWordCount)).toInt();
}

uint LearnReportMgr::totalStudyTime() const
{
    return m_values.value(QLatin1String(kTotalStudyTime)).toUInt();
}

int LearnReportMgr::learnSpeed() const
{
    return int(m_values.value(QLatin1String(kLearnSpeed)).toDouble());
}

float LearnReportMgr::forgetProbability() const
{
    return m_values.value(QLatin1String(kForgetProbability)).toFloat();
}

int LearnReportMgr::studyWordCount() const
{
    return m_values.value(QLatin1String(kStudyWordCount)).toInt();
}

float LearnReportMgr::studyProgress() const
{
    return m_values.value(QLatin1String(kStudyProgress)).toFloat();
}
