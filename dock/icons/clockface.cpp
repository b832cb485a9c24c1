#include "clockface.h"

#include "dock/icons/iconpictures.h"
#include "platform/clock.h"

#include <QLabel>
#include <QTimer>

ClockFace::ClockFace(QWidget *parent, const QString &iconPath, const QString &digitPrefix)
    : QWidget(parent), m_iconPath(iconPath), m_prefix(digitPrefix)
{
}

void ClockFace::startTicking()
{
    m_timer = new QTimer(this);
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, &ClockFace::timeOver);
    if (isVisible())
        m_timer->start();
}

void ClockFace::showEvent(QShowEvent *)
{
    if (!m_timer || m_timer->isActive())
        return;
    timeOver(); // the time it missed while hidden
    m_timer->start();
}

void ClockFace::hideEvent(QHideEvent *)
{
    if (m_timer)
        m_timer->stop();
}

QFont ClockFace::dateFont(int pixelSize)
{
    QFont f(QStringLiteral("Microsoft YaHei"));
    f.setWeight(10);
    f.setItalic(false);
    f.setPixelSize(qMax(1, pixelSize));
    return f;
}

void ClockFace::timeOver()
{
    const QDateTime now = platform::now();
    const QString hh = now.toString(QStringLiteral("hh"));
    const QString mm = now.toString(QStringLiteral("mm"));
    const QString png = QStringLiteral(".png");
    m_hourTens = m_prefix + hh.left(1) + png;
    m_hourUnits = m_prefix + hh.right(1) + png;
    m_minuteTens = m_prefix + mm.left(1) + png;
    m_minuteUnits = m_prefix + mm.right(1) + png;
    m_parts.text2->setText(tr(" %1").arg(now.toString(QStringLiteral("yyyy/MM/dd"))));
    showSeconds(now.toString(QStringLiteral("ss")).toInt());
    relayout();
}

void ClockFace::relayout()
{
    const int w = width();
    const int h = height();
    placeDigits(w, h);
    IconPictures::show(m_parts.bg, m_iconPath, QSize(w, h));
    IconPictures::show(m_parts.t1, m_hourTens, m_parts.t1->size());
    IconPictures::show(m_parts.t2, m_hourUnits, m_parts.t2->size());
    IconPictures::show(m_parts.t3, colonPath(), m_parts.t3->size());
    IconPictures::show(m_parts.t4, m_minuteTens, m_parts.t4->size());
    IconPictures::show(m_parts.t5, m_minuteUnits, m_parts.t5->size());
    placeDate(w, h);
}

void ClockFace::resizeEvent(QResizeEvent *)
{
    if (!m_parts.bg)
        return;
    m_parts.bg->resize(size());
    relayout();
}
