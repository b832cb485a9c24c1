#include "progressring.h"

#include <QApplication>
#include <QPalette>
#include <QPainter>
#include <QPainterPath>

double ProgressRing::arcDegrees(double min, double max, double value)
{
    const double span = max - min;
    if (span <= 0)
        return 0;
    return 360.0 / span * (value - min);
}

QRectF ProgressRing::outerOf(const QRectF &rect)
{
    const double d = int(qMin(rect.width(), rect.height()));
    return QRectF(rect.x() + 1, rect.y() + 1, d - 2, d - 2);
}

QPen ProgressRing::pen(const QBrush &brush, double width)
{
    QPen pen(brush.color());
    pen.setStyle(Qt::SolidLine);
    pen.setWidthF(width);
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::BevelJoin);
    return pen;
}

void ProgressRing::innerCircle(double outerDiameter, QRectF &inner, double &innerDiameter) const
{
    innerDiameter = style == Line ? outerDiameter - outlineWidth : outerDiameter * innerRatio;
    const double offset = (outerDiameter - innerDiameter) / 2;
    inner = QRectF(offset, offset, innerDiameter, innerDiameter);
}

void ProgressRing::paintBackground(QPainter &p, const QRectF &rect, const Look &look) const
{
    if (look.window.style() != Qt::NoBrush)
        p.fillRect(rect, look.window);
}

void ProgressRing::paintTrack(QPainter &p, const QRectF &outer, const QRectF &inner, const Look &look) const
{
    const double half = outlineWidth / 2;
    switch (style) {
    case Donut: {
        QPainterPath path;
        path.setFillRule(Qt::OddEvenFill);
        path.moveTo(outer.center());
        path.addEllipse(outer);
        path.addEllipse(inner);
        p.setPen(pen(look.shadow, outlineWidth));
        p.setBrush(look.base);
        p.drawPath(path);
        break;
    }
    case Pie:
        p.setPen(pen(look.base, outlineWidth));
        p.setBrush(look.base);
        p.drawEllipse(outer);
        break;
    case Line:
        p.setPen(pen(look.base, outlineWidth));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(outer.adjusted(half, half, -half, -half));
        break;
    default:
        break;
    }
}

void ProgressRing::paintValue(QPainter &p, const QRectF &outer, double min, double value, double arc,
                              const QRectF &inner, const Look &look) const
{
    if (value == min)
        return;
    if (style == Line) {
        const double half = outlineWidth / 2;
        p.setPen(pen(look.highlight, dataWidth));
        p.setBrush(Qt::NoBrush);
        p.drawArc(outer.adjusted(half, half, -half, -half), int(startAngle * 16), int(-arc * 16));
        return;
    }
    const QPointF m = outer.center();
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    path.moveTo(m);
    path.arcTo(outer, startAngle, -arc);
    if (style == Pie) {
        path.lineTo(m);
        p.setPen(pen(look.shadow, dataWidth));
    } else {
        QPointF pt = path.currentPosition();
        path.lineTo(m + innerRatio * (pt - m));
        path.moveTo(m);
        path.arcTo(inner, startAngle - arc, arc);
        pt = path.currentPosition();
        path.lineTo(m + (2 - innerRatio) * (pt - m));
        p.setPen(Qt::NoPen);
    }
    p.setBrush(look.highlight);
    p.drawPath(path);
}

void ProgressRing::paintInnerDisc(QPainter &p, const QRectF &inner, const Look &look) const
{
    if (style != Donut)
        return;
    p.setBrush(look.alternateBase);
    p.drawEllipse(inner);
}

void ProgressRing::paint(QPainter &p, const QRectF &rect, double min, double max, double value,
                         const Look &look) const
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(rect.topLeft());
    const QRectF local(0, 0, rect.width(), rect.height());
    const double d = int(qMin(rect.width(), rect.height()));
    const QRectF outer = outerOf(local);
    paintBackground(p, local, look);
    QRectF inner;
    double innerDiameter = 0;
    innerCircle(d, inner, innerDiameter);
    paintTrack(p, outer, inner, look);
    paintValue(p, outer, min, value, arcDegrees(min, max, value), inner, look);
    paintInnerDisc(p, inner, look);
    p.restore();
}

ProgressRing ProgressRing::hold()
{
    ProgressRing r;
    r.style = Line;
    r.outlineWidth = 5;
    r.dataWidth = 5;
    return r;
}

ProgressRing::Look ProgressRing::holdLook()
{
    const QPalette pal = QApplication::palette();
    Look look;
    look.window = Qt::NoBrush;
    look.base = pal.brush(QPalette::Base);
    look.shadow = pal.brush(QPalette::Shadow);
    look.highlight = QBrush(QColor(0, 140, 255));
    look.alternateBase = Qt::NoBrush;
    return look;
}

void ProgressRing::paintHold(QPainter &p, const QRectF &rect, double value, double max)
{
    hold().paint(p, rect, 0, max, qBound(0.0, value, max), holdLook());
}

void HoldRingFace::paint(QPainter &p, const QRect &r)
{
    ProgressRing::hold().paint(p, r, m_min, m_max, m_value, ProgressRing::holdLook());
}

void HoldRingFace::setRange(int min, int max)
{
    m_min = qMin(min, max);
    m_max = qMax(min, max);
    m_value = m_min;
    emit changed();
}

void HoldRingFace::setValue(int value)
{
    const double v = qBound(double(m_min), double(value), double(m_max));
    if (v == m_value)
        return;
    m_value = v;
    emit changed();
}
