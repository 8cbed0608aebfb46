#include "app/userfolder.h"

#include "app/apppath.h"

#include <QCryptographicHash>
#include <QDebug>

namespace {

// A folder name holds at most 255 bytes; longer names keep a readable head and a hash of
// the whole name, so that two long names never share a folder.
const int kMaxFolderBytes = 200;

QString folderName(const QString &userName)
{
    if (userName.toUtf8().size() <= kMaxFolderBytes)
        return userName;
    const QString hash = QString::fromLatin1(
        QCryptographicHash::hash(userName.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
    QString head = userName;
    while (head.toUtf8().size() > kMaxFolderBytes - 17)
        head.chop(head.at(head.size() - 1).isLowSurrogate() ? 2 : 1);
    return head + QLatin1Char('~') + hash;
}

} // namespace

bool isUsableUserName(const QString &userName)
{
    return !userName.isEmpty() && userName != QLatin1String(".") &&
           userName != QLatin1String("..") && !userName.contains(QLatin1Char('/')) &&
           !userName.contains(QLatin1Char('\\')) && !userName.contains(QChar(0));
}

QString userFolderPath(const QString &userName)
{
    if (!isUsableUserName(userName)) {
        qDebug() << "userFolderPath 拒绝的用户名" << userName;
        return QString();
    }
    return appPath(QStringLiteral("/udata/") + folderName(userName));
}

QString userFilePath(const QString &userName, const QString &fileName)
{
    const QString folder = userFolderPath(userName);
    if (folder.isEmpty())
        return QString();
    return folder + QLatin1Char('/') + fileName;
}
