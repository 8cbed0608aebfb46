#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

// Draws every picture of the skin. The pictures are drawn in code, from the palette in
// skinpalette.h, so that the build makes them from sources and they stay consistent.
class SkinPainter
{
public:
    // Pictures staged into the program's "images" folder.
    static QStringList imageNames();
    // Pictures compiled into the program as resources (":/images/...").
    static QStringList resourceNames();
    // The picture for one of the names above; a null image for an unknown name.
    static QImage draw(const QString &name);
    // The program icon, size x size pixels (also the desktop's icon of the trainer).
    static QImage appIcon(int size);

private:
    static QImage mainBackground();
    static QImage paperTile(const QColor &base, int size, int amplitude, quint32 seed);
    static QImage buttonGlow();
    static QImage areaFrame();
    static QImage popupBackground();
    static QImage logo();
};
