#pragma once

#include <QString>
#include <QUrl>

// Addresses of the maker's servers and of the two online dictionaries. Each host is a
// global setting ("Remote/..."); every URL is the host joined with a fixed path.
namespace RemoteServices {

QString downloadHost();
QString webHost();
QString youdaoHost();
QString haiciHost();

// Download server: the version file and the official course archives.
QUrl versionFileUrl();
QUrl officialCourseUrl(int mid);
// Web site: the forum page and the statistics page.
QUrl forumUrl();
QUrl statisticsUrl();
// Dictionary voices: Youdao's voice for a word, Haici's look-up page and its sound file.
QUrl youdaoVoiceUrl(const QString &word);
QUrl haiciLookupUrl(const QString &word);
QUrl haiciSoundUrl(const QString &code);

// Host (without trailing "/") + path.
QString joinHostPath(const QString &host, const QString &path);

} // namespace RemoteServices
