#include "dock/icons/dockface.h"

#include "dock/icons/iconpictures.h"

#include <QPainter>

namespace {

// A still picture, scaled through the picture cache.
class PictureFace : public DockFace
{
public:
    PictureFace(const QString &picture, QObject *parent) : DockFace(parent), m_picture(picture) {}
    void paint(QPainter &p, const QRect &r) override
    {
        const QPixmap pm = IconPictures::scaled(m_picture, r.size());
        if (!pm.isNull())
            p.drawPixmap(r.topLeft(), pm);
    }

private:
    QString m_picture;
};

} // namespace

DockFace *DockFace::create(const QString &iconClass, const QString &picture, QObject *parent)
{
    Q_UNUSED(iconClass)
    return new PictureFace(picture, parent);
}
