#include "dock/icons/dockface.h"

#include "dock/icons/clockface.h"
#include "dock/icons/iconpictures.h"
#include "dock/icons/liveface.h"
#include "dock/icons/pictureface.h"
#include "dock/model/iconclasses.h"

#include <QFileInfo>

DockFace *DockFace::create(const QString &iconClass, const QString &picture, QObject *parent)
{
    switch (IconClasses::of(iconClass).face) {
    case IconFace::Separator: return new BlankFace(parent);
    case IconFace::RecycleBin: return new RecycleFace(picture, parent);
    case IconFace::Drive: return new DiskFace(parent);
    case IconFace::Weather: return new WeatherFace(picture, parent);
    case IconFace::Clock1: return new ClockFace(ClockFace::Clock1, parent);
    case IconFace::Clock2: return new ClockFace(ClockFace::Clock2, parent);
    case IconFace::WebSite:
        if (picture == IconPictures::UrlTile)
            return new UrlTileFace(parent);
        break;
    case IconFace::Picture: break;
    }
    // Only the lower-case suffix plays; "GIF" shows its first frame.
    if (QFileInfo(picture).suffix() == QLatin1String("gif"))
        return new MovieFace(picture, parent);
    return new PictureFace(picture, parent);
}
