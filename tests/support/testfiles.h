#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

#include "fakehttpserver.h"
#include "testroot.h"

#include <memory>

// Files for tests that install or update programs.
namespace TestFiles {

// Writes content to path, making missing folders; a content starting with "#!" is made
// executable. False when the file could not be written.
bool write(const QString &path, const QByteArray &content);
// The whole file, empty when it cannot be read.
QByteArray read(const QString &path);
// A zip archive made by the real zip program from files (relative path -> content).
QByteArray zip(const QMap<QString, QByteArray> &files);
// A downloadable course archive as the course server hands it out: "<mid>.db" holding
// courseFile, zipped by the real zip program.
QByteArray courseArchive(int mid, const QByteArray &courseFile);

// A program root with its settings open and a server on 127.0.0.1 set as the course
// download host; courses are served by setting replies on server after start().
class CourseServer
{
public:
    CourseServer();
    ~CourseServer();
    bool start();

    TestRoot root;
    std::unique_ptr<FakeHttpServer> server;
};

} // namespace TestFiles
