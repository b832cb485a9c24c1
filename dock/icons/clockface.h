#pragma once
#include "dock/icons/pictureface.h"

#include <QDateTime>
#include <QRect>

class QTimer;

// The two clock faces: four digit pictures and a colon for the hours and
// minutes and the date, over the clock's picture; the first also shows the
// seconds on a red ring under its picture. The faces differ in their
// pictures and in where the digits stand.
//
// While active a clock wakes only when what it shows changes: the first
// every second, the second at every minute.
class ClockFace : public ComposedFace
{
    Q_OBJECT
public:
    enum Kind { Clock1 = 1, Clock2 = 2 };

    struct Layout
    {
        QRect digits[5]; // hour tens, hour units, colon, minute tens, minute units
        QFont dateFont;
        QRect date;
    };

    ClockFace(Kind kind, QObject *parent);

    Kind kind() const { return m_kind; }
    QString iconPath() const;
    QString hourTensPath() const { return m_prefix + m_hh.left(1) + QStringLiteral(".png"); }
    QString hourUnitsPath() const { return m_prefix + m_hh.right(1) + QStringLiteral(".png"); }
    QString minuteTensPath() const { return m_prefix + m_mm.left(1) + QStringLiteral(".png"); }
    QString minuteUnitsPath() const { return m_prefix + m_mm.right(1) + QStringLiteral(".png"); }
    QString colonPath() const { return m_prefix + QStringLiteral("00.png"); }
    QString dateText() const { return m_date; }
    int seconds() const { return m_seconds; }
    QTimer *tickTimer() const { return m_timer; }
    bool isActive() const { return m_active; }

    // Where the parts stand on a face of this size.
    Layout layout(const QSize &size) const;
    // Milliseconds from `now` until what the face shows next changes.
    int msToNextChange(const QDateTime &now) const;

    void setActive(bool on) override;

public slots:
    // Reads the clock (platform::now), tells the owner when the face changed
    // and, while active, waits for the next change.
    void timeOver();

protected:
    void render(QPainter &p, const QSize &size) override;

private:
    bool read();
    void schedule();

    Kind m_kind;
    QString m_prefix;
    QString m_hh, m_mm, m_date;
    int m_seconds = 0;
    bool m_active = false;
    QTimer *m_timer;
};
