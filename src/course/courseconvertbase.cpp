#include "course/courseconvertbase.h"

CourseConvertBase::CourseConvertBase(const QString &name, QObject *parent)
    : QObject(parent), m_name(name)
{
}

void CourseConvertBase::resetCancel()
{
    m_cancelRequested = false;
    m_cancelled = false;
}

bool CourseConvertBase::cancelRequested()
{
    if (m_cancelRequested)
        m_cancelled = true;
    return m_cancelled;
}
