#include "iconpainter.h"

#include "skinpalette.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace {

QImage blank(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QPen strokePen(const QColor &color, qreal width)
{
    QPen pen(color, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

} // namespace

QImage IconPainter::help(int size)
{
    QImage image = blank(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    p.setPen(Qt::NoPen);
    p.setBrush(SkinPalette::accent());
    p.drawEllipse(QRectF(s * 0.06, s * 0.06, s * 0.88, s * 0.88));
    // The question mark: a hook and a dot.
    QPainterPath hook;
    hook.moveTo(s * 0.36, s * 0.38);
    hook.cubicTo(s * 0.36, s * 0.22, s * 0.64, s * 0.22, s * 0.64, s * 0.38);
    hook.cubicTo(s * 0.64, s * 0.50, s * 0.50, s * 0.50, s * 0.50, s * 0.60);
    p.setPen(strokePen(Qt::white, s * 0.11));
    p.setBrush(Qt::NoBrush);
    p.drawPath(hook);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(s * 0.50, s * 0.75), s * 0.07, s * 0.07);
    return image;
}

QImage IconPainter::speaker(int size, bool hover)
{
    QImage image = blank(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    if (hover) {
        p.setPen(Qt::NoPen);
        p.setBrush(SkinPalette::sage());
        p.drawEllipse(QRectF(0.5, 0.5, s - 1, s - 1));
    }
    const QColor ink = hover ? SkinPalette::accentDeep() : SkinPalette::accent();
    QPainterPath body;
    body.moveTo(s * 0.16, s * 0.40);
    body.lineTo(s * 0.30, s * 0.40);
    body.lineTo(s * 0.48, s * 0.24);
    body.lineTo(s * 0.48, s * 0.76);
    body.lineTo(s * 0.30, s * 0.60);
    body.lineTo(s * 0.16, s * 0.60);
    body.closeSubpath();
    p.setPen(strokePen(ink, s * 0.05));
    p.setBrush(ink);
    p.drawPath(body);
    p.setBrush(Qt::NoBrush);
    p.setPen(strokePen(ink, s * 0.07));
    p.drawArc(QRectF(s * 0.40, s * 0.36, s * 0.28, s * 0.28), -50 * 16, 100 * 16);
    if (hover)
        p.drawArc(QRectF(s * 0.36, s * 0.24, s * 0.48, s * 0.52), -50 * 16, 100 * 16);
    else {
        p.setPen(strokePen(SkinPalette::muted(), s * 0.07));
        p.drawArc(QRectF(s * 0.36, s * 0.24, s * 0.48, s * 0.52), -50 * 16, 100 * 16);
    }
    return image;
}

QImage IconPainter::aboutUs(int size)
{
    QImage image = blank(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    p.setPen(strokePen(SkinPalette::accentDeep(), s * 0.07));
    p.setBrush(QColor(255, 255, 255, 150));
    p.drawEllipse(QRectF(s * 0.10, s * 0.10, s * 0.80, s * 0.80));
    p.setPen(Qt::NoPen);
    p.setBrush(SkinPalette::accentDeep());
    p.drawEllipse(QPointF(s * 0.5, s * 0.31), s * 0.06, s * 0.06);
    p.drawRoundedRect(QRectF(s * 0.445, s * 0.43, s * 0.11, s * 0.32), s * 0.04, s * 0.04);
    return image;
}

QImage IconPainter::settings(int size)
{
    QImage image = blank(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    const QPointF c(s / 2, s / 2);
    // A gear: eight rounded teeth around a ring.
    QPainterPath gear;
    const int teeth = 8;
    const qreal outer = s * 0.42, inner = s * 0.32;
    for (int i = 0; i < teeth * 4; ++i) {
        const qreal angle = (i * 360.0 / (teeth * 4) - 11.25) * M_PI / 180.0;
        const qreal r = (i % 4 == 0 || i % 4 == 1) ? outer : inner;
        const QPointF pt(c.x() + r * std::cos(angle), c.y() + r * std::sin(angle));
        if (i == 0)
            gear.moveTo(pt);
        else
            gear.lineTo(pt);
    }
    gear.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(c, s * 0.13, s * 0.13);
    p.setPen(strokePen(SkinPalette::accentDeep(), s * 0.03));
    p.setBrush(SkinPalette::accentDeep());
    p.drawPath(gear.subtracted(hole));
    return image;
}

QImage IconPainter::exit(int size)
{
    QImage image = blank(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    p.setPen(strokePen(QColor(0xA9, 0x48, 0x3A), s * 0.08));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(s * 0.18, s * 0.20, s * 0.64, s * 0.64), 120 * 16, 300 * 16);
    p.drawLine(QPointF(s * 0.5, s * 0.12), QPointF(s * 0.5, s * 0.48));
    return image;
}

QImage IconPainter::grip(int size, bool vertical)
{
    QImage image = blank(size);
    QPainter p(&image);
    // Three crisp one-pixel ridges across the handle, on pixel centres.
    p.setPen(QPen(QColor(255, 255, 255, 230), 1.0));
    const qreal first = size / 2 - 2 + 0.5 - 2;
    for (int i = 0; i < 3; ++i) {
        const qreal at = first + 2 * i + 2;
        if (vertical)
            p.drawLine(QPointF(1.5, at), QPointF(size - 1.5, at));
        else
            p.drawLine(QPointF(at, 1.5), QPointF(at, size - 1.5));
    }
    return image;
}

QImage IconPainter::arrow(int size, Arrow direction)
{
    QImage image = blank(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    // A small filled chevron pointing up, turned for the other directions.
    p.translate(s / 2, s / 2);
    switch (direction) {
    case Arrow::Up:
        break;
    case Arrow::Right:
        p.rotate(90);
        break;
    case Arrow::Down:
        p.rotate(180);
        break;
    case Arrow::Left:
        p.rotate(270);
        break;
    }
    QPainterPath chevron;
    chevron.moveTo(-s * 0.34, s * 0.18);
    chevron.lineTo(0, -s * 0.20);
    chevron.lineTo(s * 0.34, s * 0.18);
    p.setPen(strokePen(SkinPalette::muted(), s * 0.16));
    p.setBrush(Qt::NoBrush);
    p.drawPath(chevron);
    return image;
}
