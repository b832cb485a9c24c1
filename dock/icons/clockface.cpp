#include "clockface.h"

#include "dock/icons/iconpictures.h"
#include "dock/icons/progressring.h"
#include "platform/clock.h"

#include <QApplication>
#include <QPalette>
#include <QPainter>
#include <QTimer>

ClockFace::ClockFace(Kind kind, QObject *parent)
    : ComposedFace(parent), m_kind(kind),
      m_prefix(kind == Clock1 ? QStringLiteral(":/image/TNumber/") : QStringLiteral(":/image/LCDNumber/")),
      m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    // A wake-up a little late would show the old minute for that long.
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, &ClockFace::timeOver);
    read();
}

QString ClockFace::iconPath() const
{
    return m_kind == Clock1 ? QStringLiteral(":/image/icon/Clock1.png") : QStringLiteral(":/image/icon/Clock2.png");
}

bool ClockFace::read()
{
    const QDateTime now = platform::now();
    const QString hh = now.toString(QStringLiteral("hh"));
    const QString mm = now.toString(QStringLiteral("mm"));
    const QString date = tr(" %1").arg(now.toString(QStringLiteral("yyyy/MM/dd")));
    const int seconds = m_kind == Clock1 ? now.time().second() : 0;
    if (hh == m_hh && mm == m_mm && date == m_date && seconds == m_seconds)
        return false;
    m_hh = hh;
    m_mm = mm;
    m_date = date;
    m_seconds = seconds;
    return true;
}

int ClockFace::msToNextChange(const QDateTime &now) const
{
    const QTime t = now.time();
    const int intoSecond = t.msec();
    if (m_kind == Clock1)
        return 1000 - intoSecond;
    return (60 - t.second()) * 1000 - intoSecond;
}

void ClockFace::schedule()
{
    if (m_active)
        m_timer->start(msToNextChange(platform::now()));
}

void ClockFace::timeOver()
{
    if (read())
        contentChanged();
    schedule();
}

void ClockFace::setActive(bool on)
{
    if (on == m_active)
        return;
    m_active = on;
    if (on)
        timeOver(); // the time it missed while hidden
    else
        m_timer->stop();
}

ClockFace::Layout ClockFace::layout(const QSize &size) const
{
    const int w = size.width();
    const int h = size.height();
    Layout l;
    QRect *d = l.digits;
    if (m_kind == Clock1) {
        const QSize digit(w / 8, int((w / 8) * 1.6));
        d[0] = QRect(QPoint(w / 5, int(h / 2.2 - digit.height() / 2)), digit);
        d[1] = QRect(QPoint(d[0].x() + d[0].width() + w / 36, d[0].y()), digit);
        d[2] = QRect(QPoint(d[1].x() + d[1].width() - w / 28, d[0].y()), digit);
        d[3] = QRect(QPoint(d[2].x() + d[2].width() - w / 28, d[0].y()), digit);
        d[4] = QRect(QPoint(d[3].x() + d[3].width() + w / 36, d[0].y()), digit);
        l.dateFont = yaHei(w / 11, 10);
        const QSize text = textSize(l.dateFont, m_date);
        l.date = QRect(QPoint(d[0].x(), d[0].y() + d[0].height() + text.height() / 5), text);
    } else {
        const QSize digit(int(w / 5.8), int((w / 5) * 1.6));
        d[0] = QRect(QPoint(w / 7, int(h / 2.6 - digit.height() / 2)), digit);
        d[1] = QRect(QPoint(d[0].x() + d[0].width() + w / 36, d[0].y()), digit);
        d[2] = QRect(QPoint(d[1].x() + d[1].width() - w / 28, d[0].y()), digit);
        const QSize small(int(digit.width() / 1.2), int(digit.height() / 1.2));
        d[3] = QRect(QPoint(d[2].x() + d[2].width() - w / 28, d[0].y() + digit.height() - small.height()), small);
        d[4] = QRect(QPoint(d[3].x() + d[3].width() + w / 36, d[3].y()), small);
        l.dateFont = yaHei(w / 7, 10);
        const QSize text = textSize(l.dateFont, m_date);
        l.date = QRect(QPoint(w / 16, h - text.height() - w / 16), text);
    }
    return l;
}

void ClockFace::render(QPainter &p, const QSize &size)
{
    const Layout l = layout(size);
    if (m_kind == Clock1) {
        // The seconds ring lies under the clock's picture.
        ProgressRing ring;
        ring.style = ProgressRing::Line;
        ring.outlineWidth = 8;
        ring.dataWidth = 10;
        ProgressRing::Look look;
        look.window = Qt::NoBrush;
        look.base = QApplication::palette().brush(QPalette::Base);
        look.shadow = QApplication::palette().brush(QPalette::Shadow);
        look.highlight = QBrush(QColor(255, 54, 87));
        look.alternateBase = Qt::NoBrush;
        ring.paint(p, QRectF(QPointF(0, 0), size), 0, 60, m_seconds, look);
    }
    p.drawPixmap(0, 0, IconPictures::scaled(iconPath(), size));
    const QString paths[5] = { hourTensPath(), hourUnitsPath(), colonPath(), minuteTensPath(), minuteUnitsPath() };
    for (int i = 0; i < 5; ++i)
        p.drawPixmap(l.digits[i].topLeft(), IconPictures::scaled(paths[i], l.digits[i].size()));
    p.setFont(l.dateFont);
    p.setPen(Qt::black);
    p.drawText(l.date, Qt::AlignLeft | Qt::AlignVCenter, m_date);
}
