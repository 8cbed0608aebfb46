#include "ui/studyhost.h"

namespace {
StudyHost *s_host = nullptr;
}

StudyHost *StudyHost::instance()
{
    return s_host;
}

void StudyHost::setInstance(StudyHost *host)
{
    s_host = host;
}
