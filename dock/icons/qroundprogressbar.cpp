#include "qroundprogressbar.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

QRoundProgressBar::QRoundProgressBar(QWidget *parent) : QWidget(parent) {}

void QRoundProgressBar::setRange(double min, double max)
{
    m_min = qMin(min, max);
    m_max = qMax(min, max);
    if (m_value < m_min)
        m_value = m_min;
    else if (m_value > m_max)
        m_value = m_max;
    update();
}

void QRoundProgressBar::setMinimum(double min) { setRange(min, m_max); }
void QRoundProgressBar::setMaximum(double max) { setRange(m_min, max); }

void QRoundProgressBar::setValue(double val)
{
    if (val == m_value)
        return;
    m_value = qBound(m_min, val, m_max);
    update();
}

void QRoundProgressBar::setValue(int val) { setValue(double(val)); }

void QRoundProgressBar::setRingStyle(int style)
{
    if (style == m_ringStyle)
        return;
    m_ringStyle = style;
    update();
}

void QRoundProgressBar::setOutlineWidth(double w)
{
    if (w == m_outlineWidth)
        return;
    m_outlineWidth = w;
    update();
}

void QRoundProgressBar::setDataWidth(double w)
{
    if (w == m_dataWidth)
        return;
    m_dataWidth = w;
    update();
}

void QRoundProgressBar::setDecimals(int n)
{
    if (n < 0 || n == m_decimals)
        return;
    m_decimals = n;
    labelFormatChanged();
}

double QRoundProgressBar::arcDegrees() const
{
    const double span = m_max - m_min;
    if (span <= 0)
        return 0;
    return 360.0 / span * (m_value - m_min);
}

QPen QRoundProgressBar::rolePen(QPalette::ColorRole role, double width) const
{
    QPen pen(palette().brush(role).color());
    pen.setStyle(Qt::SolidLine);
    pen.setWidthF(width);
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::BevelJoin);
    return pen;
}

void QRoundProgressBar::paintEvent(QPaintEvent *)
{
    const double d = qMin(width(), height());
    const QRectF outer(1, 1, d - 2, d - 2);
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    paintBackground(p, QRectF(0, 0, width(), height()));
    QRectF inner;
    double innerDiameter = 0;
    innerCircle(outer, d, inner, innerDiameter);
    paintTrack(p, outer, inner);
    paintValue(p, outer, m_value, arcDegrees(), inner, innerDiameter);
    paintInnerDisc(p, inner);
    p.end();
}

void QRoundProgressBar::paintBackground(QPainter &p, const QRectF &rect)
{
    p.fillRect(rect, palette().brush(QPalette::Window));
}

void QRoundProgressBar::innerCircle(const QRectF &, double outerDiameter, QRectF &inner, double &innerDiameter)
{
    innerDiameter = m_ringStyle == Line ? outerDiameter - m_outlineWidth : outerDiameter * m_innerRatio;
    const double offset = (outerDiameter - innerDiameter) / 2;
    inner = QRectF(offset, offset, innerDiameter, innerDiameter);
}

void QRoundProgressBar::paintTrack(QPainter &p, const QRectF &outer, const QRectF &inner)
{
    const double half = m_outlineWidth / 2;
    switch (m_ringStyle) {
    case Donut: {
        QPainterPath path;
        path.setFillRule(Qt::OddEvenFill);
        path.moveTo(outer.center());
        path.addEllipse(outer);
        path.addEllipse(inner);
        p.setPen(rolePen(QPalette::Shadow, m_outlineWidth));
        p.setBrush(palette().brush(QPalette::Base));
        p.drawPath(path);
        break;
    }
    case Pie:
        p.setPen(rolePen(QPalette::Base, m_outlineWidth));
        p.setBrush(palette().brush(QPalette::Base));
        p.drawEllipse(outer);
        break;
    case Line:
        p.setPen(rolePen(QPalette::Base, m_outlineWidth));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(outer.adjusted(half, half, -half, -half));
        break;
    default:
        break;
    }
}

void QRoundProgressBar::paintValue(QPainter &p, const QRectF &outer, double value, double arc, const QRectF &inner,
                                   double)
{
    if (value == m_min)
        return;
    if (m_ringStyle == Line) {
        const double half = m_outlineWidth / 2;
        p.setPen(rolePen(QPalette::Highlight, m_dataWidth));
        p.setBrush(Qt::NoBrush);
        p.drawArc(outer.adjusted(half, half, -half, -half), int(m_startAngle * 16), int(-arc * 16));
        return;
    }
    const QPointF m = outer.center();
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    path.moveTo(m);
    path.arcTo(outer, m_startAngle, -arc);
    if (m_ringStyle == Pie) {
        path.lineTo(m);
        p.setPen(rolePen(QPalette::Shadow, m_dataWidth));
    } else {
        QPointF pt = path.currentPosition();
        path.lineTo(m + m_innerRatio * (pt - m));
        path.moveTo(m);
        path.arcTo(inner, m_startAngle - arc, arc);
        pt = path.currentPosition();
        path.lineTo(m + (2 - m_innerRatio) * (pt - m));
        p.setPen(Qt::NoPen);
    }
    p.setBrush(palette().brush(QPalette::Highlight));
    p.drawPath(path);
}

void QRoundProgressBar::paintInnerDisc(QPainter &p, const QRectF &inner)
{
    if (m_ringStyle != Donut)
        return;
    p.setBrush(palette().brush(QPalette::AlternateBase));
    p.drawEllipse(inner);
}

void QRoundProgressBar::labelFormatChanged()
{
    m_formatFlags = 0;
    if (m_format.contains(QLatin1String("%v")))
        m_formatFlags |= 1;
    if (m_format.contains(QLatin1String("%p")))
        m_formatFlags |= 2;
    if (m_format.contains(QLatin1String("%m")))
        m_formatFlags |= 4;
    update();
}

QString QRoundProgressBar::labelText(double value) const
{
    QString text = m_format;
    if (m_formatFlags & 1)
        text.replace(QLatin1String("%v"), QString::number(value, 'f', m_decimals));
    if (m_formatFlags & 2) {
        const double span = m_max - m_min;
        const double percent = span > 0 ? (value - m_min) / span * 100.0 : 0.0;
        text.replace(QLatin1String("%p"), QString::number(percent, 'f', m_decimals));
    }
    if (m_formatFlags & 4)
        text.replace(QLatin1String("%m"), QString::number(m_max - m_min + 1, 'f', m_decimals));
    return text;
}

void QRoundProgressBar::paintLabel(QPainter &p, const QRectF &inner, double innerDiameter, double value)
{
    if (m_format.isEmpty())
        return;
    QFont f(font());
    f.setPixelSize(int(qMax(0.35 - 0.08 * m_decimals, 0.05) * innerDiameter));
    p.setFont(f);
    p.setPen(rolePen(QPalette::Text, 1));
    p.drawText(inner, Qt::AlignCenter, labelText(value));
}
