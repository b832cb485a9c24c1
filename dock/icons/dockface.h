#pragma once
#include <QObject>
#include <QRect>
#include <QString>

class QPainter;

// What one icon shows, drawn by its owner's painter (the bar, a menu icon, a
// drag ghost) into the icon's square at its current size. A face that
// changes by itself (a clock's second, a GIF frame, a drive filling up)
// emits changed(), and its owner repaints that square only.
class DockFace : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // The face of a row's class showing `picture` (the row's icon cell).
    static DockFace *create(const QString &iconClass, const QString &picture, QObject *parent);

    virtual void paint(QPainter &p, const QRect &r) = 0;
    // A face whose owner is not shown stops its own timers.
    virtual void setActive(bool) {}
    // Data of the classes that have it; the others ignore it.
    virtual void setWeather(const QString &name, const QString &stateDetailed, const QString &temNow,
                            const QString &state)
    {
        Q_UNUSED(name) Q_UNUSED(stateDetailed) Q_UNUSED(temNow) Q_UNUSED(state)
    }
    virtual void setDrive(const QString &drive) { Q_UNUSED(drive) }
    // The row's icon cell after an edit (a recycle bin's picture pair, a
    // weather background, a picture); the clocks, drives and separators
    // ignore it.
    virtual void setPicture(const QString &picture) { Q_UNUSED(picture) }
    // The row's name: a web-site tile writes its first letter.
    virtual void setName(const QString &name) { Q_UNUSED(name) }
    // The bar's screen edge (0 top, 1 right, 2 bottom, 3 left): a separator
    // stands across the bar.
    virtual void setEdge(int edge) { Q_UNUSED(edge) }

signals:
    void changed();
};
