#include "course/courseconvertmgr.h"

#include "course/courseconvertyoudao.h"

#include <QDebug>

CourseConvertMgr::CourseConvertMgr(QObject *parent) : QObject(parent)
{
    m_converters << new CourseConvertYoudao();
    for (CourseConvertBase *converter : std::as_const(m_converters))
        connect(converter, &CourseConvertBase::updateDataReadProgress, this,
                &CourseConvertMgr::updateDataReadProgress);
}

CourseConvertMgr::~CourseConvertMgr()
{
    qDeleteAll(m_converters);
}

QStringList CourseConvertMgr::typeNames() const
{
    QStringList names;
    for (const CourseConvertBase *converter : m_converters)
        names << converter->name();
    return names;
}

CourseConvertBase *CourseConvertMgr::converter(int type)
{
    if (type < 0 || type >= m_converters.size()) {
        qDebug() << "CourseConvertMgr 未知的单词本类型" << type;
        return nullptr;
    }
    return m_converters.at(type);
}

int CourseConvertMgr::startConvert(const QString &source, int type, const QString &target)
{
    qDebug() << "CourseConvertMgr::startConvert " << source << target;
    m_last = m_running = converter(type);
    if (!m_running)
        return 0;
    const int result = m_running->startConvert(source, target);
    m_running = nullptr;
    return result;
}

int CourseConvertMgr::startMerge(const QString &source, int type, const QString &target)
{
    qDebug() << "CourseConvertMgr::startMerge " << source << target;
    m_last = m_running = converter(type);
    if (!m_running)
        return 0;
    const int result = m_running->startMerge(source, target);
    m_running = nullptr;
    return result;
}

bool CourseConvertMgr::wasCancelled() const
{
    return m_last && m_last->wasCancelled();
}

void CourseConvertMgr::cancel()
{
    if (m_running)
        m_running->cancel();
}
