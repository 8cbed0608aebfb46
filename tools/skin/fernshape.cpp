#include "fernshape.h"

#include <QLineF>
#include <QTransform>

#include <cmath>

FernShape::FernShape(const QPointF &base, const QPointF &tip, qreal bend, int leaflets)
    : m_base(base), m_tip(tip), m_leaflets(leaflets)
{
    const QPointF middle = (base + tip) / 2;
    const QPointF along = tip - base;
    const QPointF normal(-along.y(), along.x()); // to the left of base->tip in screen space
    m_control = middle - normal * bend;
}

QPointF FernShape::pointAt(qreal t) const
{
    const qreal u = 1 - t;
    return u * u * m_base + 2 * u * t * m_control + t * t * m_tip;
}

QPointF FernShape::tangentAt(qreal t) const
{
    return 2 * (1 - t) * (m_control - m_base) + 2 * t * (m_tip - m_control);
}

QPainterPath FernShape::path() const
{
    QPainterPath frond;
    frond.setFillRule(Qt::WindingFill);
    const qreal length = QLineF(m_base, m_tip).length();

    // Stem: a tapering band along the curve.
    QPainterPath stem;
    const int steps = 40;
    QList<QPointF> left, right;
    for (int i = 0; i <= steps; ++i) {
        const qreal t = qreal(i) / steps;
        const QPointF p = pointAt(t);
        QPointF d = tangentAt(t);
        const qreal n = std::hypot(d.x(), d.y());
        d /= n;
        const QPointF normal(-d.y(), d.x());
        const qreal width = length * 0.012 * (1.0 - 0.8 * t);
        left << p + normal * width;
        right << p - normal * width;
    }
    stem.moveTo(left.first());
    for (const QPointF &p : left)
        stem.lineTo(p);
    for (int i = right.size() - 1; i >= 0; --i)
        stem.lineTo(right.at(i));
    stem.closeSubpath();
    frond.addPath(stem);

    // Leaflets: pairs of slim leaves leaning toward the tip.
    for (int i = 0; i < m_leaflets; ++i) {
        const qreal t = 0.08 + 0.86 * qreal(i) / m_leaflets;
        const QPointF p = pointAt(t);
        const QPointF d = tangentAt(t);
        const qreal angle = std::atan2(d.y(), d.x()) * 180.0 / M_PI;
        const qreal size = length * 0.23 * (1.0 - 0.85 * t);
        for (int side : {-1, 1}) {
            QPainterPath leaf;
            leaf.moveTo(0, 0);
            leaf.cubicTo(size * 0.3, -size * 0.16, size * 0.75, -size * 0.12, size, 0);
            leaf.cubicTo(size * 0.75, size * 0.12, size * 0.3, size * 0.16, 0, 0);
            QTransform transform;
            transform.translate(p.x(), p.y());
            transform.rotate(angle + side * 58.0);
            frond.addPath(transform.map(leaf));
        }
    }
    QPainterPath tipLeaf;
    const qreal tipSize = length * 0.05;
    const QPointF d = tangentAt(1.0);
    QTransform transform;
    transform.translate(m_tip.x(), m_tip.y());
    transform.rotate(std::atan2(d.y(), d.x()) * 180.0 / M_PI);
    tipLeaf.moveTo(-tipSize, 0);
    tipLeaf.cubicTo(-tipSize * 0.5, -tipSize * 0.35, tipSize * 0.3, -tipSize * 0.2, tipSize * 0.6,
                    0);
    tipLeaf.cubicTo(tipSize * 0.3, tipSize * 0.2, -tipSize * 0.5, tipSize * 0.35, -tipSize, 0);
    frond.addPath(transform.map(tipLeaf));
    return frond.simplified();
}
