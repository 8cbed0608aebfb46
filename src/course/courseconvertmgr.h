#pragma once

#include <QList>
#include <QObject>
#include <QStringList>

class CourseConvertBase;

// The word-book converters, in registration order (index 0: the Youdao word book).
// Forwards the running converter's progress as its own updateDataReadProgress.
class CourseConvertMgr : public QObject
{
    Q_OBJECT
public:
    explicit CourseConvertMgr(QObject *parent = nullptr);
    ~CourseConvertMgr() override;

    // Display names of the converters, in order (fills the type combo box).
    QStringList typeNames() const;
    // A new course from the word book; the number of words, 0 on failure or cancel.
    int startConvert(const QString &source, int type, const QString &target);
    // The word book merged into an existing course; its word count after, 0 on failure.
    int startMerge(const QString &source, int type, const QString &target);
    // Whether the last call was cancelled.
    bool wasCancelled() const;

public Q_SLOTS:
    // Stops the running conversion (from a slot of updateDataReadProgress).
    void cancel();

Q_SIGNALS:
    void updateDataReadProgress(qint64 current, qint64 total);

private:
    CourseConvertBase *converter(int type);

    QList<CourseConvertBase *> m_converters;
    CourseConvertBase *m_running = nullptr;
    CourseConvertBase *m_last = nullptr;
};
