#include "skinpainter.h"

#include "fernshape.h"
#include "iconpainter.h"
#include "skinpalette.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>

namespace {

QImage transparentImage(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QColor withAlpha(QColor color, int alpha)
{
    color.setAlpha(alpha);
    return color;
}

} // namespace

QStringList SkinPainter::imageNames()
{
    return {QStringLiteral("bg_main.png"),
            QStringLiteral("bg_study.png"),
            QStringLiteral("bg_tipbar.png"),
            QStringLiteral("buttonGlow.png"),
            QStringLiteral("help.png"),
            QStringLiteral("br_area.png"),
            QStringLiteral("bg_area.png"),
            QStringLiteral("Learn_speak_normal.png"),
            QStringLiteral("Learn_speak_hover.png"),
            QStringLiteral("main_aboutus.png"),
            QStringLiteral("main_sysmgr.png"),
            QStringLiteral("main_exit.png"),
            QStringLiteral("popbox_bg.png"),
            QStringLiteral("ScrollBar_Handle_Grab_Vertical.png"),
            QStringLiteral("ScrollBar_Handle_Grab_Horizontal.png"),
            QStringLiteral("InterfaceArrowUp.png"),
            QStringLiteral("InterfaceArrowDown.png"),
            QStringLiteral("InterfaceArrowLeft.png"),
            QStringLiteral("InterfaceArrowRight.png")};
}

QStringList SkinPainter::resourceNames()
{
    return {QStringLiteral("Memora.ico"), QStringLiteral("Resources/ferncove.png")};
}

QImage SkinPainter::draw(const QString &name)
{
    using A = IconPainter::Arrow;
    if (name == QLatin1String("bg_main.png"))
        return mainBackground();
    if (name == QLatin1String("bg_study.png"))
        return paperTile(SkinPalette::paper(), 256, 3, 1);
    if (name == QLatin1String("bg_tipbar.png"))
        return paperTile(SkinPalette::mist(), 64, 2, 2);
    if (name == QLatin1String("buttonGlow.png"))
        return buttonGlow();
    if (name == QLatin1String("help.png"))
        return IconPainter::help(32);
    if (name == QLatin1String("br_area.png"))
        return areaFrame();
    if (name == QLatin1String("bg_area.png"))
        return paperTile(SkinPalette::surface(), 32, 0, 3);
    if (name == QLatin1String("Learn_speak_normal.png"))
        return IconPainter::speaker(24, false);
    if (name == QLatin1String("Learn_speak_hover.png"))
        return IconPainter::speaker(24, true);
    if (name == QLatin1String("main_aboutus.png"))
        return IconPainter::aboutUs(64);
    if (name == QLatin1String("main_sysmgr.png"))
        return IconPainter::settings(64);
    if (name == QLatin1String("main_exit.png"))
        return IconPainter::exit(64);
    if (name == QLatin1String("popbox_bg.png"))
        return popupBackground();
    if (name == QLatin1String("ScrollBar_Handle_Grab_Vertical.png"))
        return IconPainter::grip(8, true);
    if (name == QLatin1String("ScrollBar_Handle_Grab_Horizontal.png"))
        return IconPainter::grip(8, false);
    if (name == QLatin1String("InterfaceArrowUp.png"))
        return IconPainter::arrow(10, A::Up);
    if (name == QLatin1String("InterfaceArrowDown.png"))
        return IconPainter::arrow(10, A::Down);
    if (name == QLatin1String("InterfaceArrowLeft.png"))
        return IconPainter::arrow(10, A::Left);
    if (name == QLatin1String("InterfaceArrowRight.png"))
        return IconPainter::arrow(10, A::Right);
    if (name == QLatin1String("Memora.ico"))
        return appIcon(64);
    if (name == QLatin1String("Resources/ferncove.png"))
        return logo();
    return QImage();
}

// The main window stretches this picture to its size (at most 800 x 600): a light sage
// wash with two faint fronds in the lower right, away from the text.
QImage SkinPainter::mainBackground()
{
    QImage image(800, 600, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient wash(0, 0, 0, 600);
    wash.setColorAt(0.0, QColor(0xF7, 0xF9, 0xF4));
    wash.setColorAt(0.55, SkinPalette::mist());
    wash.setColorAt(1.0, QColor(0xDD, 0xEA, 0xE2));
    p.fillRect(image.rect(), wash);
    QRadialGradient light(QPointF(120, 40), 420);
    light.setColorAt(0.0, QColor(255, 255, 250, 150));
    light.setColorAt(1.0, QColor(255, 255, 250, 0));
    p.fillRect(image.rect(), light);
    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(SkinPalette::accent(), 22));
    p.drawPath(FernShape(QPointF(790, 610), QPointF(560, 300), 0.18, 14).path());
    p.setBrush(withAlpha(SkinPalette::accent(), 14));
    p.drawPath(FernShape(QPointF(700, 615), QPointF(610, 430), -0.15, 10).path());
    return image;
}

// A seamless tile: the base colour with a faint, fixed grain like paper.
QImage SkinPainter::paperTile(const QColor &base, int size, int amplitude, quint32 seed)
{
    QImage image(size, size, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    for (int y = 0; y < size; ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < size; ++x) {
            const int d = amplitude ? random.bounded(-amplitude, amplitude + 1) : 0;
            row[x] = qRgb(qBound(0, base.red() + d, 255), qBound(0, base.green() + d, 255),
                          qBound(0, base.blue() + d, 255));
        }
    }
    return image;
}

// Shown under a tool button the pointer rests on: a soft rounded highlight.
QImage SkinPainter::buttonGlow()
{
    QImage image = transparentImage(48, 48);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient glow(QPointF(24, 24), 30);
    glow.setColorAt(0.0, QColor(255, 255, 255, 235));
    glow.setColorAt(0.7, withAlpha(SkinPalette::sage(), 200));
    glow.setColorAt(1.0, withAlpha(SkinPalette::line(), 160));
    p.setBrush(glow);
    p.setPen(QPen(withAlpha(SkinPalette::accent(), 110), 1.0));
    p.drawRoundedRect(QRectF(1.5, 1.5, 45, 45), 9, 9);
    return image;
}

// The frame around the study window's main display, cut nine ways at 20 pixels: soft
// shadow and rounded corners at the edges, plain reading surface in the middle. It lies
// on the study window's paper and is opaque: the repeated edge pieces overlap by a
// pixel, and a see-through shadow would darken at every seam.
QImage SkinPainter::areaFrame()
{
    QImage image(64, 64, QImage::Format_RGB32);
    image.fill(SkinPalette::paper());
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    for (int i = 6; i >= 1; --i) {
        p.setBrush(QColor(0x2B, 0x4A, 0x40, 7 + (6 - i) * 2));
        p.drawRoundedRect(QRectF(6 - i, 7 - i, 52 + 2 * i, 52 + 2 * i), 10 + i, 10 + i);
    }
    p.setBrush(SkinPalette::surface());
    p.setPen(QPen(SkinPalette::line(), 1.0));
    p.drawRoundedRect(QRectF(6.5, 6.5, 51, 51), 10, 10);
    return image;
}

// The update notifier: its size and its rounded outline (the picture's mask) come from
// this picture. A teal title band for the white title, a light body for the message.
QImage SkinPainter::popupBackground()
{
    const int w = 255, h = 164;
    QImage image = transparentImage(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath outline;
    outline.addRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), 10, 10);
    QLinearGradient body(0, 0, 0, h);
    body.setColorAt(0.0, SkinPalette::surface());
    body.setColorAt(1.0, SkinPalette::mist());
    p.fillPath(outline, body);
    p.save();
    p.setClipPath(outline);
    QLinearGradient band(0, 0, 0, 30);
    band.setColorAt(0.0, SkinPalette::accent());
    band.setColorAt(1.0, SkinPalette::accentDeep());
    p.fillRect(QRectF(0, 0, w, 30), band);
    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(SkinPalette::accent(), 20));
    p.drawPath(FernShape(QPointF(250, 170), QPointF(185, 70), 0.15, 10).path());
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(SkinPalette::accentDeep(), 1.0));
    p.drawPath(outline);
    return image;
}

// The maker's logo beside the main window's buttons: a fern and the product's name.
QImage SkinPainter::logo()
{
    QImage image = transparentImage(200, 100);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(SkinPalette::accent());
    p.drawPath(FernShape(QPointF(30, 94), QPointF(44, 8), 0.16, 9).path());
    QFont latin(QStringLiteral("DejaVu Sans"));
    latin.setPixelSize(30);
    latin.setBold(true);
    p.setFont(latin);
    p.setPen(SkinPalette::accentDeep());
    p.drawText(QRectF(62, 14, 138, 46), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Memora"));
    QFont chinese(QStringLiteral("Noto Sans CJK SC"));
    chinese.setPixelSize(22);
    p.setFont(chinese);
    p.setPen(SkinPalette::muted());
    p.drawText(QRectF(64, 58, 136, 32), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("背单词"));
    return image;
}

// The program icon: a white frond on a teal rounded square.
QImage SkinPainter::appIcon(int size)
{
    QImage image = transparentImage(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    QLinearGradient fill(0, 0, s, s);
    fill.setColorAt(0.0, SkinPalette::accent());
    fill.setColorAt(1.0, SkinPalette::accentDeep());
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(s * 0.03, s * 0.03, s * 0.94, s * 0.94), s * 0.2, s * 0.2);
    p.setBrush(QColor(0xF6, 0xF4, 0xEC));
    p.drawPath(FernShape(QPointF(s * 0.40, s * 0.92), QPointF(s * 0.58, s * 0.10), 0.14, 8).path());
    return image;
}
