#include "dock/icons/dockface.h"

#include "dock/icons/clockface.h"
#include "dock/icons/iconpictures.h"
#include "dock/icons/liveface.h"
#include "dock/icons/pictureface.h"

#include <QFileInfo>

DockFace *DockFace::create(const QString &iconClass, const QString &picture, QObject *parent)
{
    if (iconClass == QLatin1String("BLANK"))
        return new BlankFace(parent);
    if (iconClass == QLatin1String("RECYCLE"))
        return new RecycleFace(picture, parent);
    if (iconClass == QLatin1String("DISK"))
        return new DiskFace(parent);
    if (iconClass == QLatin1String("WEATHER"))
        return new WeatherFace(picture, parent);
    if (iconClass == QLatin1String("TIME1"))
        return new ClockFace(ClockFace::Clock1, parent);
    if (iconClass == QLatin1String("TIME2"))
        return new ClockFace(ClockFace::Clock2, parent);
    if (iconClass == QLatin1String("URL") && picture == IconPictures::UrlTile)
        return new UrlTileFace(parent);
    // Only the lower-case suffix plays; "GIF" shows its first frame.
    if (QFileInfo(picture).suffix() == QLatin1String("gif"))
        return new MovieFace(picture, parent);
    return new PictureFace(picture, parent);
}
