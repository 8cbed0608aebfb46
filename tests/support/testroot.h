#pragma once

#include <QString>
#include <QTemporaryDir>

// A private program root for one test: a temporary folder that MEMORA_ROOT points at
// while the object lives. Installation data from the build can be staged into it.
class TestRoot
{
public:
    TestRoot();
    ~TestRoot();

    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    // path() + relative ("/udata/x.db").
    QString filePath(const QString &relative) const;
    // Links the built installation data ("odata", "images") into the root.
    bool stageInstallData(const QString &folder);
    // The program folder of the build (where memora and its data lie).
    static QString buildBinDir();
    static QString sourceDir();

private:
    QTemporaryDir m_dir;
    QByteArray m_previousRoot;
    bool m_hadPreviousRoot;
};
