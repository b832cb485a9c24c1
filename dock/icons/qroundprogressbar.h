#pragma once
#include "dock/icons/progressring.h"

#include <QWidget>

class QPainter;

// A value within a range shown as a circular arc, drawn as a donut, a pie or
// a line. All colours come from the widget's palette; it draws no text.
// The drawing itself is ProgressRing's, which draws without a widget.
class QRoundProgressBar : public QWidget
{
    Q_OBJECT
public:
    enum RingStyle { Donut = 0, Pie = 1, Line = 2 };

    explicit QRoundProgressBar(QWidget *parent = nullptr);

    double minimum() const { return m_min; }
    double maximum() const { return m_max; }
    double value() const { return m_value; }
    int ringStyle() const { return m_ringStyle; }
    double outlineWidth() const { return m_outlineWidth; }
    double dataWidth() const { return m_dataWidth; }
    int decimals() const { return m_decimals; }
    QString textFormat() const { return m_format; }
    int formatFlags() const { return m_formatFlags; }
    double startAngle() const { return m_startAngle; }
    float innerRatio() const { return m_innerRatio; }

    void setRingStyle(int style);
    void setOutlineWidth(double w);
    void setDataWidth(double w);
    void setDecimals(int n);

    // Degrees the value arc spans: the share of the range that lies below
    // the value, so the minimum spans nothing and the maximum the full circle.
    double arcDegrees() const;
    // The value text made from the format (not painted by the bar itself).
    virtual QString labelText(double value) const;

    QSize minimumSizeHint() const override { return QSize(32, 32); }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int w) const override { return w; }

public slots:
    void setRange(double min, double max);
    void setMinimum(double min);
    void setMaximum(double max);
    void setValue(double val);
    void setValue(int val);

protected:
    void paintEvent(QPaintEvent *e) override;

    virtual void paintBackground(QPainter &p, const QRectF &rect);
    virtual void paintTrack(QPainter &p, const QRectF &outer, const QRectF &inner);
    virtual void paintValue(QPainter &p, const QRectF &outer, double value, double arcDegrees, const QRectF &inner,
                            double innerDiameter);
    virtual void innerCircle(const QRectF &outer, double outerDiameter, QRectF &inner, double &innerDiameter);
    virtual void paintInnerDisc(QPainter &p, const QRectF &inner);
    virtual void paintLabel(QPainter &p, const QRectF &inner, double innerDiameter, double value);
    virtual void labelFormatChanged();

    QPen rolePen(QPalette::ColorRole role, double width) const;
    // The ring drawn by this widget, and its colours from the palette.
    ProgressRing ring() const;
    ProgressRing::Look look() const;

private:
    double m_min = 0;
    double m_max = 60;
    double m_value = 0;
    float m_innerRatio = 0.75f;
    double m_startAngle = 90;
    int m_ringStyle = Donut;
    double m_outlineWidth = 1.0;
    double m_dataWidth = 1.0;
    QString m_format = QStringLiteral("%p%");
    int m_decimals = 1;
    int m_formatFlags = 2;
};
