#pragma once
#include <QPixmap>
#include <QSize>
#include <QString>

class QLabel;

// Pictures of icons and faces, scaled to a size. Magnification resizes icons
// on every animation frame, so each picture is scaled once per size and kept
// in the pixmap cache; a file changed on disk is scaled again.
namespace IconPictures {

// The picture scaled to size, ignoring its aspect ratio, smoothly. A picture
// that cannot be loaded, or an empty size, gives a null pixmap.
QPixmap scaled(const QString &path, const QSize &size);
// Shows the scaled picture on the label, unless it shows exactly that already.
void show(QLabel *label, const QString &path, const QSize &size);
// The path the label was last given through show(), empty when none.
QString shownPath(const QLabel *label);

} // namespace IconPictures
