#pragma once

#include "testroot.h"

#include <QString>

// A private program root with the installed courses staged and the globals up, for the
// learner "alice". Tear-down destroys the globals before the root goes: delete windows
// that use them first.
class LearnerRoot
{
public:
    ~LearnerRoot();

    // Stages "odata" and "images", creates the user folder and the globals. With logIn,
    // also turns off the update and statistics prompts and logs alice in as the system user.
    bool setUp(bool logIn = true);
    TestRoot &root() { return m_root; }

    // The id of the installed course named name, 0 if there is none.
    static int courseId(const QString &name);
    // Opens and closes a study session on the installed course named name, so that alice
    // has a learning record of it; returns that record's path, empty on failure.
    static QString studyOnce(const QString &name);

private:
    TestRoot m_root;
    bool m_globals = false;
};
