#include "skilldbbuilder.h"

#include "learn/learnskillmgr.h"

QStringList SkillDBBuilder::parseTips(const QString &text)
{
    QStringList tips;
    for (QString line : text.split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.startsWith(QChar(0xFEFF)))
            line.remove(0, 1);
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        tips << line.replace(QLatin1String("\\n"), QLatin1String("\n"));
    }
    return tips;
}

bool SkillDBBuilder::build(const QString &path, const QStringList &tips)
{
    if (!createFile(path))
        return false;
    bool ok = m_database->transaction();
    ok = exec(QLatin1String(LearnSkillMgr::kCreateTable)) && ok;
    for (int i = 0; i < tips.size(); ++i)
        ok = execBound(QStringLiteral("insert into TSkill(id, info) values(?, ?)"),
                       {i + 1, tips.at(i)}) &&
             ok;
    ok = m_database->commit() && ok;
    close();
    if (!ok)
        m_error = QStringLiteral("%1: writing the tips failed (see the log above)").arg(path);
    return ok;
}
