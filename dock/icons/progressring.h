#pragma once
#include <QBrush>
#include <QColor>
#include <QPen>
#include <QRectF>

class QPainter;

// A value within a range drawn as a circular arc (donut, pie or line), with
// no widget of its own: the seconds ring of the first clock, the hold ring
// over a pressed icon and the QRoundProgressBar widget all draw through it.
struct ProgressRing
{
    enum Style { Donut = 0, Pie = 1, Line = 2 };

    // Colours by what they paint; a brush with Qt::NoBrush paints nothing.
    struct Look
    {
        QBrush window;        // behind the whole square
        QBrush base;          // the track
        QBrush shadow;        // the donut's outline, the pie's value pen
        QBrush highlight;     // the value
        QBrush alternateBase; // the donut's inner disc
    };

    int style = Donut;
    double outlineWidth = 1.0;
    double dataWidth = 1.0;
    double startAngle = 90; // 12 o'clock
    float innerRatio = 0.75f;

    // Degrees the value spans: the share of the range below the value, so
    // the minimum spans nothing and the maximum the full circle.
    static double arcDegrees(double min, double max, double value);
    // The outer square of a ring drawn in rect: its top-left square of side
    // min(width, height), one pixel in on every side.
    static QRectF outerOf(const QRectF &rect);

    void innerCircle(double outerDiameter, QRectF &inner, double &innerDiameter) const;
    void paintBackground(QPainter &p, const QRectF &rect, const Look &look) const;
    void paintTrack(QPainter &p, const QRectF &outer, const QRectF &inner, const Look &look) const;
    void paintValue(QPainter &p, const QRectF &outer, double min, double value, double arc, const QRectF &inner,
                    const Look &look) const;
    void paintInnerDisc(QPainter &p, const QRectF &inner, const Look &look) const;
    // Everything above in order, in rect (offset to rect's top-left).
    void paint(QPainter &p, const QRectF &rect, double min, double max, double value, const Look &look) const;

    // The ring that fills while the user holds the button on an icon: a blue
    // line over the palette's base colour, 5 pixels wide. Drawn in rect,
    // value from 0 to max.
    static void paintHold(QPainter &p, const QRectF &rect, double value, double max);
    static ProgressRing hold();
    static Look holdLook();

    static QPen pen(const QBrush &brush, double width);
};

#include "dock/icons/dockface.h"

// The hold ring as a face: a range and a value, changed() when the value
// moves.
class HoldRingFace : public DockFace
{
    Q_OBJECT
public:
    using DockFace::DockFace;
    void paint(QPainter &p, const QRect &r) override;
    // Also puts the value back to the minimum.
    void setRange(int min, int max);
    void setValue(int value);
    int minimum() const { return m_min; }
    int maximum() const { return m_max; }
    double value() const { return m_value; }

private:
    int m_min = 0;
    int m_max = 60;
    double m_value = 0;
};
