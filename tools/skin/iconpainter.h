#pragma once

#include <QImage>

// The small line icons of the skin (help, speaker, the three main window buttons, the
// scroll-bar grips and arrows), drawn on a transparent background.
class IconPainter
{
public:
    enum class Arrow
    {
        Up,
        Down,
        Left,
        Right
    };

    static QImage help(int size);
    static QImage speaker(int size, bool hover);
    static QImage aboutUs(int size);
    static QImage settings(int size);
    static QImage exit(int size);
    static QImage grip(int size, bool vertical);
    static QImage arrow(int size, Arrow direction);
};
