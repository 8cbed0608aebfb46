#include "learn/learnmethodfactory.h"

#include "learn/freelearnmethod.h"
#include "learn/learnsetmgr.h"
#include "learn/planlearnmethod.h"

#include <QDebug>

LearnMethodBase *createLearnMethod(LearnSetMgr &settings)
{
    const int mode = settings.learnMode();
    if (mode == 2)
        return new PlanLearnMethod(settings);
    if (mode != 1)
        qDebug() << "createLearnMethod 未知学习模式, 使用自由模式" << mode;
    return new FreeLearnMethod(settings);
}
