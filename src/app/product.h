#pragma once

#include <QString>

// The product's names and version, shown in titles, messages and the status bar, and
// compared by the update check.
namespace Product {

// Title of every window and message box.
inline QString displayName()
{
    return QStringLiteral("Memora 背单词");
}

// The short name used in log lines ("进入 Memora……").
inline QString shortName()
{
    return QStringLiteral("Memora");
}

constexpr int kVersionMajor = 0;
constexpr int kVersionMinor = 2;
constexpr int kVersionPatch = 3;
constexpr int kVersionBuild = 370;

// "V0.2.3 build 370"
inline QString versionText()
{
    return QStringLiteral("V%1.%2.%3 build %4")
        .arg(kVersionMajor)
        .arg(kVersionMinor)
        .arg(kVersionPatch)
        .arg(kVersionBuild);
}

// "0.2.3.370"
inline QString versionNumber()
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(kVersionMajor)
        .arg(kVersionMinor)
        .arg(kVersionPatch)
        .arg(kVersionBuild);
}

} // namespace Product
