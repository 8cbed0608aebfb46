#pragma once

#include <QColor>
#include <QPainterPath>
#include <QPointF>

// The fern frond that runs through the skin (logo, icon, main background): a curved stem
// from base to tip with paired leaflets that shrink toward the tip.
class FernShape
{
public:
    // base and tip: ends of the stem; bend: how far the stem bows to the right of the line
    // from base to tip, as a fraction of its length; leaflets: pairs along the stem.
    FernShape(const QPointF &base, const QPointF &tip, qreal bend, int leaflets);

    // The whole frond as one filled path (stem and leaflets).
    QPainterPath path() const;

private:
    QPointF pointAt(qreal t) const;
    QPointF tangentAt(qreal t) const;

    QPointF m_base;
    QPointF m_tip;
    QPointF m_control;
    int m_leaflets;
};
