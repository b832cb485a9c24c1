#include "qroundprogressbar.h"

#include <QPainter>


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
    return ProgressRing::arcDegrees(m_min, m_max, m_value);
}

QPen QRoundProgressBar::rolePen(QPalette::ColorRole role, double width) const
{
    return ProgressRing::pen(palette().brush(role), width);
}

ProgressRing QRoundProgressBar::ring() const
{
    ProgressRing r;
    r.style = m_ringStyle;
    r.outlineWidth = m_outlineWidth;
    r.dataWidth = m_dataWidth;
    r.startAngle = m_startAngle;
    r.innerRatio = m_innerRatio;
    return r;
}

ProgressRing::Look QRoundProgressBar::look() const
{
    const QPalette &pal = palette();
    return { pal.brush(QPalette::Window), pal.brush(QPalette::Base), pal.brush(QPalette::Shadow),
             pal.brush(QPalette::Highlight), pal.brush(QPalette::AlternateBase) };
}

void QRoundProgressBar::paintEvent(QPaintEvent *)
{
    const double d = qMin(width(), height());
    const QRectF outer = ProgressRing::outerOf(rect());
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
    ring().paintBackground(p, rect, look());
}

void QRoundProgressBar::innerCircle(const QRectF &, double outerDiameter, QRectF &inner, double &innerDiameter)
{
    ring().innerCircle(outerDiameter, inner, innerDiameter);
}

void QRoundProgressBar::paintTrack(QPainter &p, const QRectF &outer, const QRectF &inner)
{
    ring().paintTrack(p, outer, inner, look());
}

void QRoundProgressBar::paintValue(QPainter &p, const QRectF &outer, double value, double arc, const QRectF &inner,
                                   double)
{
    ring().paintValue(p, outer, m_min, value, arc, inner, look());
}

void QRoundProgressBar::paintInnerDisc(QPainter &p, const QRectF &inner)
{
    ring().paintInnerDisc(p, inner, look());
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
