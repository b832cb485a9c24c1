#pragma once
#include <QImage>
#include <QRegion>

class QWidget;

namespace platform {

// Without a compositing manager the X server shows every clear pixel of a
// translucent window black, and a half-clear one darkened. While none runs,
// each translucent window of ours is cut to what it draws: after each
// picture it sends, its outline becomes the pixels it painted at least half
// opaque, and those are shown at their own colour. A window's own mask, and
// the region set as its outline (WindowSystem::setShape), bound that cut.
// When a compositing manager starts, the windows get their whole outline
// back, and lose it again when it stops.
class SeeThrough
{
public:
    // Starts following the compositing manager; a no-op but on X11.
    static void ensure();
    // Whether windows are cut now (no compositing manager).
    static bool active();
    // The pixels of `image` within `within` (in the image's pixels) that
    // show, and all of those in `keep`, as one region: where `beneath` (what
    // lies under the image, from its top left) has a pixel, those not almost
    // clear, drawn over it; elsewhere those at least half opaque, at their
    // own colour. The half-clear ones among them are made opaque so.
    // `touched` gets the rows where a pixel changed.
    static QRegion cut(QImage &image, const QRegion &within, const QRegion &keep = QRegion(),
                       QRegion *touched = nullptr, const QImage &beneath = QImage());
    // What w may show at most (the region it is shaped to; empty: all of
    // it), and the part of it set to take the pointer (empty: none beyond
    // what it draws), as the window system is told them. True where the
    // region changed; always false but on X11.
    static bool setBound(QWidget *w, const QRegion &region);
    static bool setKept(QWidget *w, const QRegion &region);
    // Whether a window's outline must follow what takes the pointer even
    // while a compositing manager runs: the window manager's frames take the
    // pointer by a window's outline alone (fluxbox, and any it does not
    // know to follow input shapes).
    static bool framesFollowOutlines();
    // The outline last given to w's window; empty while it has its whole one.
    static QRegion outlineOf(const QWidget *w);
};

} // namespace platform
