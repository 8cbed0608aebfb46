#pragma once

#include "course/coursedb.h"
#include "learn/learncoursedb.h"
#include "learn/learnmethodbase.h"
#include "learn/learnmethodfactory.h"
#include "learn/learnsetmgr.h"

#include <QDateTime>
#include <QString>

#include <memory>

// What a learning manager holds for one study session: the course, the record file, its
// settings and, once started, the method.
struct StudySession
{
    StudySession(const QString &coursePath, const QString &recordPath)
        : course(coursePath), file(recordPath, [this] { return course.wordIds(); }), settings(&file)
    {
    }
    // The method the settings choose, attached to the record file.
    void start()
    {
        started = QDateTime::currentDateTime();
        method.reset(createLearnMethod(settings));
        method->attach(&file);
    }
    // Ends the session as the learning manager does: the log row, then the method.
    void end(int pauseSec = 0)
    {
        file.addUseLog(started, int(started.secsTo(QDateTime::currentDateTime())),
                       method->newWordCount(), method->oldWordCount(), method->knownWellCount(),
                       pauseSec);
        method.reset();
    }
    // The next word, drawn as the study window draws it.
    int draw()
    {
        method->resetWordState();
        return method->nextWord();
    }
    // The method's in-memory record.
    QString copyName() const { return method->recordStore()->connectionName(); }

    CourseDB course;
    LearnCourseDB file;
    LearnSetMgr settings;
    QDateTime started;
    std::unique_ptr<LearnMethodBase> method;
};
