#pragma once

#include <QObject>
#include <QProcess>
#include <QString>

#include <exception>
#include <string>

// One run of an external player program with a sound file as its only argument. The
// viewer deletes itself (through ExternalViewerDeleter) once the process has finished.
class ExternalViewer : public QObject
{
    Q_OBJECT
public:
    class Ex : public std::exception
    {
    public:
        const char *what() const noexcept override { return "External viewer exception"; }
    };

    class exCantRunViewer : public Ex
    {
    public:
        explicit exCantRunViewer(const QString &viewerPath);
        const char *what() const noexcept override { return m_what.c_str(); }

    private:
        std::string m_what;
    };

    // fileType is accepted for callers that know it; the player decides by itself.
    ExternalViewer(QObject *parent, const QString &filePath, const QString &fileType,
                   const QString &viewerPath);
    ~ExternalViewer() override;

    // Starts the player and waits up to 30 s for it to start; throws exCantRunViewer when
    // it does not. Returns as soon as the player runs; its output is not read.
    void run();

    QString filePath() const { return m_filePath; }
    QString viewerPath() const { return m_viewerPath; }

    static const int kStartTimeoutMs = 30000;

Q_SIGNALS:
    void finished(ExternalViewer *viewer);

private Q_SLOTS:
    void viewerFinished(int exitCode, QProcess::ExitStatus exitStatus);

private:
    QString m_viewerPath;
    QString m_filePath;
    QProcess *m_process;
};
