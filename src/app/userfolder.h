#pragma once

#include <QString>

// The folder of one learner's records: appPath("/udata/" + userName), the name taken as
// data (no placeholder in it is ever expanded). A name longer than a folder name may be
// (200 bytes of UTF-8 here) keeps its head and gets "~" and a hash of the whole name. A name that
// could leave that folder or name another one is refused: empty, ".", "..", or containing "/", "\"
// or NUL. A refused name gives an empty string and one log line; callers then do nothing for it.
QString userFolderPath(const QString &userName);
// Whether userName can name a folder: not empty, not "." or "..", no "/", "\\" or NUL.
bool isUsableUserName(const QString &userName);
// userFolderPath + "/" + fileName, or empty for a refused name.
QString userFilePath(const QString &userName, const QString &fileName);
