#include "course/fullworddb.h"

#include "app/apppath.h"

#include <QDebug>
#include <QFileInfo>

FullWordDB::FullWordDB()
{
    const QString path = appPath(QStringLiteral("/odata/fullword.db"));
    // Installation data is never written: a missing file stays missing and every
    // look-up then yields no sentence.
    if (!QFileInfo::exists(path)) {
        qDebug() << "打开数据库" << path << "失败"
                 << "文件不存在";
        return;
    }
    setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    open(path, QString());
}

QString FullWordDB::getESentence(const QString &word)
{
    if (!isOpen())
        return QString();
    return rexecBound(QStringLiteral("select esentence from TWORD where word = ?"), {word})
        .toString();
}
