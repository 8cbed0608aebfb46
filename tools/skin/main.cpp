// memora_skin: draws the skin's pictures.
//
//   memora_skin images <folder>      the pictures of the program's "images" folder
//   memora_skin resources <folder>   the pictures compiled in as resources
//   memora_skin icons <folder>       the desktop icon: hicolor/<n>x<n>/apps/memora.png
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
    const QStringList modes = {QStringLiteral("images"), QStringLiteral("resources"),
                               QStringLiteral("icons")};
    if (args.size() != 2 || !modes.contains(args.at(0))) {
        err << "usage: memora_skin images|resources|icons <folder>\n";
        return 2;
    }
    QStringList names;
    if (args.at(0) == QLatin1String("icons")) {
        for (int size : {48, 128, 256})
            names << QStringLiteral("hicolor/%1x%1/apps/memora.png").arg(size);
    } else {
        names = args.at(0) == QLatin1String("images") ? SkinPainter::imageNames()
                                                      : SkinPainter::resourceNames();
    }
    int failures = 0;
    for (const QString &name : names) {
        const QString path = args.at(1) + QLatin1Char('/') + name;
        QDir().mkpath(QFileInfo(path).absolutePath());
        const QImage image =
            name.startsWith(QLatin1String("hicolor/"))
                ? SkinPainter::appIcon(
                      name.section(QLatin1Char('/'), 1, 1).section(QLatin1Char('x'), 0, 0).toInt())
                : SkinPainter::draw(name);
        QImageWriter writer(path, QFileInfo(name).suffix().toLatin1());
        if (image.isNull() || !writer.write(image)) {
            err << path << ": cannot be written: " << writer.errorString() << "\n";
            ++failures;
        }
    }
    return failures ? 1 : 0;
}
