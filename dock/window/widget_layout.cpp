#include "widget_p.h"
#include "hovertips.h"
#include "dockdrag.h"

#include "docklayout.h"
#include "dockmenus.h"
#include "firstpaint.h"

#include <QPropertyAnimation>
#include <QRegularExpression>

// ---- placement and icons --------------------------------------------------

// The bar follows the icon table by itself; this gives its icons the sizes,
// edge and clicks of the moment and lays the row out.
void Widget::createIcon()
{
    m_bar->setEdge(m_set.location);
    m_bar->setIconSizes(m_set.icoMagnified, m_set.currentSizeF);
    m_bar->setDoubleClick(m_set.iconDoubleClick);
    m_bar->setClickStyle(m_set.click);
    IconSorting();
}

// The bar laid out anew from the table, and the menus of new menu icons.
void Widget::rebuildBar()
{
    clearIcon();
    createIcon();
    createClassIco();
}

// Every icon back to its rest size at the configured size.
void Widget::clearIcon()
{
    m_set.currentSizeF = m_set.icoSize;
    m_set.currentSize = int(m_set.icoSize);
    m_bar->setIconSizes(m_set.icoMagnified, m_set.currentSizeF);
}

void Widget::createClassIco()
{
    m_menus->createMissing(m_set.location, m_set.iconDoubleClick, int(m_set.currentSizeF));
    for (int r = 0; r < IcoData->rowCount(); ++r) {
        const QString cl = IcoData->cell(r, 3);
        if (cl == IconClass::DISK)
            m_bar->setDrive(IcoData->cell(r, 0), IcoData->cell(r, 4));
        else if (cl == IconClass::WEATHER)
            m_firstPaint->then([this] { weatherWindow()->startWeather(); });
    }
}

void Widget::applySizes()
{
    const int n = int(m_set.currentSizeF);
    m_bar->setIconSizes(m_set.icoMagnified, m_set.currentSizeF);
    m_menus->setIconSize(n);
}

// The relayout: icons touch one another in table order; the bar follows.
void Widget::IconSorting()
{
    const int rows = IcoData->rowCount();
    int blanks = 0;
    for (int r = 0; r < rows; ++r) {
        if (IcoData->cell(r, 3) == IconClass::BLANK)
            ++blanks;
    }
    const QSize row = m_bar->layoutRow();
    const bool horizontal = DockLayout::isHorizontal(m_set.location);
    const DockLayout::Fit fit = DockLayout::fitCheck(m_set.currentSizeF, rows, blanks, horizontal ? width() : height());
    if (fit.overflow) {
        qDebug() << (horizontal ? "横向图标超出窗体" : "纵向图标超出窗体");
        setTemporaryIcoSize(fit.size);
    }
    sizeBar(row.width(), row.height());
    // A drag over the bar keeps its gap open through every relayout.
    m_drag->holdGap();
    // A strip that is out (the pointer is elsewhere) follows the bar's length.
    if (!m_detection->isHidden())
        placeBarFrames();
}

void Widget::sizeBar(int a, int b)
{
    const int edge = m_set.location;
    if (edge < 0 || edge > 3)
        return;
    const int W = width(), H = height();
    const DockLayout::BarSizes s = DockLayout::barSizes(edge, a, b, W, H, m_set.icoMagnified,
                                                        int(m_set.currentSizeF), int(m_set.icoSize),
                                                        m_backgroundSide);
    ui->main->resize(s.main);
    ui->frameMain->resize(s.main);
    m_bar->setGeometry(QRect(QPoint(0, 0), s.main));
    ui->frameArea->resize(W, H);
    // A running slide of the area ends where it should; the relayout does not cut it short.
    if (!m_frameAreaAnimation)
        ui->frameArea->move(DockLayout::frameAreaPoint(edge, m_frameAreaShown, ui->frameArea->size()));
    ui->frameBackground->resize(s.background);

    const bool horizontal = DockLayout::isHorizontal(edge);
    const int L = horizontal ? W : H;
    const int f = horizontal ? s.frameIco.width() : s.frameIco.height();
    const int g = horizontal ? s.background.width() : s.background.height();
    // Only a row longer than the window follows the pointer; asking for the
    // pointer costs a round trip to the display, so only then.
    int c = 0, wx = 0, bx = 0;
    if (L < f) {
        const QPoint cursor = QCursor::pos();
        c = horizontal ? cursor.x() : cursor.y();
        wx = horizontal ? x() : y();
        bx = horizontal ? ui->frameBackground->x() : ui->frameBackground->y();
    }
    const DockLayout::Along along = DockLayout::alongPlace(L, f, g, c, wx, bx);
    if (horizontal) {
        m_bar->setStripRect(QRect(QPoint(along.ico, s.icoAcross), s.frameIco));
        ui->frameBackground->move(along.background, s.backgroundAcross);
    } else {
        m_bar->setStripRect(QRect(QPoint(s.icoAcross, along.ico), s.frameIco));
        ui->frameBackground->move(s.backgroundAcross, along.background);
    }
    m_bar->setBackgroundRect(ui->frameBackground->geometry());
    updateInputShape();
}

// The bar at rest widened along by what magnification and a drag's gap may
// add on either side, as deep as the magnified icons.
QRect Widget::barZone() const
{
    const int edge = m_set.location;
    const bool horizontal = DockLayout::isHorizontal(edge);
    const QRect strip = m_bar->stripRect();
    const int rest = m_bar->restLength() + 2 * (DockLayout::BackgroundInset + m_backgroundSide);
    const int grow = int(m_set.icoMagnified) + 20;
    const QSize main = ui->main->size();
    QRect zone;
    if (horizontal) {
        const int mid = main.width() / 2;
        zone = QRect(mid - rest / 2 - grow, strip.y(), rest + 2 * grow, strip.height());
    } else {
        const int mid = main.height() / 2;
        zone = QRect(strip.x(), mid - rest / 2 - grow, strip.width(), rest + 2 * grow);
    }
    return (zone | ui->frameBackground->geometry()) & QRect(QPoint(0, 0), main);
}

namespace {
QString sheetPicture(const QWidget *w)
{
    static const QRegularExpression url(QStringLiteral("border-image:\\s*url\\(([^)]*)\\)"));
    const QRegularExpressionMatch m = url.match(w->styleSheet());
    return m.hasMatch() ? m.captured(1).trimmed() : QString();
}
} // namespace

// The bar paints its background itself, as the background frames' sheets
// describe it; the frames only keep the look and the place.
void Widget::paintBackgroundOnBar()
{
    DockBar::Background b;
    static const QRegularExpression fill(
        QStringLiteral("background-color:\\s*rgba\\((\\d+),\\s*(\\d+),\\s*(\\d+),\\s*(\\d+)\\)"));
    static const QRegularExpression radius(QStringLiteral("border-radius:\\s*(\\d+)px"));
    const QString frame = ui->frameBackground->styleSheet();
    const QRegularExpressionMatch f = fill.match(frame);
    if (f.hasMatch())
        b.fill = QColor(f.captured(1).toInt(), f.captured(2).toInt(), f.captured(3).toInt(),
                        qBound(0, f.captured(4).toInt(), 255));
    const QRegularExpressionMatch r = radius.match(frame);
    b.radius = r.hasMatch() ? r.captured(1).toInt() : 0;
    if (!ui->BackgroundW->isHidden()) {
        b.first = sheetPicture(ui->bl);
        b.middle = sheetPicture(ui->bg);
        b.last = sheetPicture(ui->br);
    } else if (!ui->BackgroundH->isHidden()) {
        b.upright = true;
        b.first = sheetPicture(ui->bl2);
        b.middle = sheetPicture(ui->bg2);
        b.last = sheetPicture(ui->br2);
    }
    m_bar->setBackground(b);
}

void Widget::relayoutIfPending()
{
    if (!m_relayoutTimer->isActive())
        return;
    m_relayoutTimer->stop();
    IconSorting();
}

void Widget::IconWidth(QString, int)
{
    m_relayoutTimer->start(1);
}

void Widget::setPosition(int x)
{
    setScreen(m_set.screen);
    if (x < 0 || x > 3)
        return;
    if (x != m_set.location) {
        m_set.location = x;
        rebuildBar();
        WindowsTrayWndMove();
        placeBarFrames();
    }
    setBackgroundStyle(m_set.backgroundStyle);
    setIcoSize(int(m_set.currentSizeF));
    m_menus->setEdge(m_set.location);
}

void Widget::setIcoSize(int x)
{
    m_set.icoSize = m_set.currentSizeF = float(qMax(1, x));
    m_set.currentSize = int(m_set.icoSize);
    applySizes();
    m_relayoutTimer->start(1);
}

void Widget::setTemporaryIcoSize(int v)
{
    m_set.currentSizeF = float(qMax(1, v));
    m_set.currentSize = int(m_set.currentSizeF);
    applySizes();
    m_relayoutTimer->start(1);
}

void Widget::setIcoNameSize(int v)
{
    m_set.icoNameSize = v;
    m_tips->setFontSize(v);
}

void Widget::setIcoScale(int x)
{
    m_set.icoMagnified = float(x) + m_set.currentSizeF;
    m_bar->setIconSizes(m_set.icoMagnified, m_set.currentSizeF);
    WindowsTrayWndMove();
    placeBarFrames();
    m_relayoutTimer->start(1);
}

void Widget::setClick(int x)
{
    qDebug() << "点击特效" << x;
    m_set.click = x;
    m_bar->setClickStyle(x);
}
