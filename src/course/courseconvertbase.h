#pragma once

#include <QObject>
#include <QString>

// A word-book converter: turns a word-book file of one kind into a course word file.
// startConvert writes a new course file, startMerge adds to an existing one. Both run
// synchronously and report progress through updateDataReadProgress; cancel(), called
// from a slot of that signal, makes the running call stop and keep nothing of it.
class CourseConvertBase : public QObject
{
    Q_OBJECT
public:
    explicit CourseConvertBase(const QString &name, QObject *parent = nullptr);

    QString name() const { return m_name; }

    // source: the word-book file; target: the course file to create. Returns the
    // number of words in the new course, 0 on failure or cancel.
    virtual int startConvert(const QString &source, const QString &target) = 0;
    // source: the word-book file; target: an existing course file. Returns the number of
    // words in the course after the merge, 0 on failure or cancel.
    virtual int startMerge(const QString &source, const QString &target) = 0;

    // Whether the last call ended because cancel() was called.
    bool wasCancelled() const { return m_cancelled; }

public Q_SLOTS:
    void cancel() { m_cancelRequested = true; }

Q_SIGNALS:
    void updateDataReadProgress(qint64 current, qint64 total);

protected:
    // Called at the start of each conversion.
    void resetCancel();
    // Whether cancel() was called since; remembers it for wasCancelled().
    bool cancelRequested();

private:
    QString m_name;
    bool m_cancelRequested = false;
    bool m_cancelled = false;
};
