#pragma once

#include <QString>

// What the pages ask of the main window: to study a course and to refresh after a change.
// The main window registers itself while a user is logged in; tests may register a fake.
class StudyHost
{
public:
    virtual ~StudyHost() = default;

    // Studies the course with that category-tree course id and name.
    virtual void study(int courseId, const QString &courseName) = 0;
    // Studies the course selected on the course page.
    virtual void study() = 0;
    // Rebuilds the category tree, reloads both pages and shows the main window.
    virtual void studyRefresh() = 0;

    // The registered host; null when none is.
    static StudyHost *instance();
    static void setInstance(StudyHost *host);
};
