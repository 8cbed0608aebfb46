// memora_skin: draws the skin's pictures.
//
//   memora_skin images <folder>      the pictures of the program's "images" folder
//   memora_skin resources <folder>   the pictures compiled in as resources
//
// Each picture is written under its own name; the exit code is 1 when one fails.

#include "skinpainter.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QTextStream>

int main(int argc, char *argv[])
{
    // Drawing text needs a platform, never a screen.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments().mid(1);
    if (args.size() != 2 ||
        (args.at(0) != QLatin1String("images") && args.at(0) != QLatin1String("resources"))) {
        err << "usage: memora_skin images|resources <folder>\n";
        return 2;
    }
    const QStringList names = args.at(0) == QLatin1String("images") ? SkinPainter::imageNames()
                                                                    : SkinPainter::resourceNames();
    int failures = 0;
    for (const QString &name : names) {
        const QString path = args.at(1) + QLatin1Char('/') + name;
        QDir().mkpath(QFileInfo(path).absolutePath());
        const QImage image = SkinPainter::draw(name);
        QImageWriter writer(path, QFileInfo(name).suffix().toLatin1());
        if (image.isNull() || !writer.write(image)) {
            err << path << ": cannot be written: " << writer.errorString() << "\n";
            ++failures;
        }
    }
    return failures ? 1 : 0;
}
