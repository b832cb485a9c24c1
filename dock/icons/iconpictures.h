#pragma once
#include <QPixmap>
#include <QSize>
#include <QString>

class QLabel;
class QPainter;
class QRect;

// Pictures of icons and faces, scaled to a size. Magnification resizes icons
// on every animation frame, so each picture is decoded once and scaled once
// per size, and both are kept in a cache of their own (so that Qt's shared
// pixmap cache neither evicts them nor is crowded by them). A picture file
// changed on disk is read again.
namespace IconPictures {

// What the cache may hold, in KiB: room for the magnification sizes of a
// full bar of icons.
constexpr int BudgetKb = 48 * 1024;

// The picture scaled to size, ignoring its aspect ratio, smoothly. A picture
// that cannot be loaded, or an empty size, gives a null pixmap.
QPixmap scaled(const QString &path, const QSize &size);
// Names a picture file's present content (path, time changed, size): a file
// changed on disk gets another stamp.
QString stampOf(const QString &path);
// Shows the scaled picture on the label, unless it shows exactly that already.
void show(QLabel *label, const QString &path, const QSize &size);
// The path the label was last given through show(), empty when none.
QString shownPath(const QLabel *label);
// The picture of a web-site icon that has no picture of its own; the site's
// first letter is written over it.
inline const QString UrlTile = QStringLiteral(":/image/icon/url.png");
// The style of an icon's picture label that draws borderImage (or nothing,
// when empty) behind white text.
QString tileSheet(const QString &borderImage);
// Pictures are scaled in steps of this many pixels, and drawn from the step
// at or above the size asked: magnification then rescales a picture once
// every few pixels rather than on every pointer move.
constexpr int StepPx = 4;
QSize step(const QSize &size);
// Draws pm into target, smoothly rescaled when their sizes differ.
void drawInto(QPainter &p, const QRect &target, const QPixmap &pm);
// Forgets every cached picture (benchmarks compare with and without).
void clear();

} // namespace IconPictures
