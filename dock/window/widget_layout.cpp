#include "widget_p.h"
#include "dockdrag.h"

#include "docklayout.h"
#include "platform/screens.h"

#include <QPropertyAnimation>
#include <QRegularExpression>

// ---- placement and icons --------------------------------------------------

namespace {

// The screen in use: a screen that is gone falls back to the first; the
// setting stays as the user left it.
int screenInUse(int wanted)
{
    const int n = platform::ScreensService::get().count();
    return wanted >= 0 && wanted < n ? wanted : 0;
}

} // namespace

QRect Widget::screenRect() const
{
    auto &screens = platform::ScreensService::get();
    if (screens.count() <= 0)
        return QRect(0, 0, 1280, 800);
    return screens.geometry(screenInUse(m_set.screen));
}

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
    // The bubble and the pop-ups belong to what the window shows: the input
    // shape follows them.
    m_name->installEventFilter(this);
    m_startMenu->installEventFilter(this);
    const int n = int(m_set.currentSizeF);
    for (int r = 0; r < IcoData->rowCount(); ++r) {
        const QString id = IcoData->cell(r, 0);
        const QString cl = IcoData->cell(r, 3);
        if (cl == IconClass::MENU) {
            if (menuWindows.value(id))
                continue;
            auto *menu = new FormMenu(this);
            menuWindows.insert(id, menu);
            menu->installEventFilter(this);
            connect(menu, &FormMenu::menuAddIco, this, &Widget::menuAddIco);
            connect(menu, &FormMenu::menuAddSystemIco, this, &Widget::menuAddSystemIco);
            connect(menu, &FormMenu::menuAddFolder, this, &Widget::menuAddFolder);
            connect(menu, &FormMenu::menuAddUrlIco, this, &Widget::menuAddUrlIco);
            connect(menu, &FormMenu::menuOpenIco, this, &Widget::menuOpenIco);
            connect(menu, &FormMenu::setIcoBShow, this, &Widget::setIcoBShow);
            connect(menu, &FormMenu::setIcoBMoveShow, this, &Widget::setIcoBMoveShow);
            connect(menu, &FormMenu::menuIcoMove, this, &Widget::menuIcoMove);
            connect(menu, &FormMenu::returnAddIcon, this, &Widget::returnAddIcon);
            connect(menu, &FormMenu::returnConfirm, this, &Widget::returnConfirm);
            menu->hide();
            menu->setDockEdge(m_set.location);
            menu->setPosition(m_set.location);
            menu->setDoubleClick(m_set.iconDoubleClick);
            menu->setMenu(id, x(), y());
            menu->layoutIcons(n - 10, n - 10);
        } else if (cl == IconClass::DISK) {
            m_bar->setDrive(id, IcoData->cell(r, 4));
        } else if (cl == IconClass::WEATHER) {
            weatherWindow()->startWeather();
        }
    }
}

void Widget::applySizes()
{
    const int n = int(m_set.currentSizeF);
    m_bar->setIconSizes(m_set.icoMagnified, m_set.currentSizeF);
    for (int r = 0; r < IcoData->rowCount(); ++r) {
        if (IcoData->cell(r, 3) == IconClass::MENU) {
            if (FormMenu *menu = menuWindows.value(IcoData->cell(r, 0)))
                menu->setIconSize(n - 10, n - 10);
        }
    }
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

void Widget::placeBarFrames()
{
    const int edge = m_set.location;
    if (edge < 0 || edge > 3)
        return;
    DockLayout::PlacementInput in;
    in.edge = edge;
    in.screen = m_screenRect.isValid() ? m_screenRect : screenRect();
    in.available = m_availableRect.isValid() ? m_availableRect : in.screen;
    in.taskbar = m_taskbarSide;
    in.margin = m_set.margin;
    in.magnified = m_set.icoMagnified;
    in.main = ui->main->size();
    in.background = ui->frameBackground->size();
    in.launchPadOpen = m_launchPad->isShown();
    const DockLayout::Placement p = DockLayout::placeBar(in);
    ui->main->move(p.main);
    if (DockLayout::isHorizontal(edge))
        ui->frameMain->move(0, ui->frameMain->y());
    else
        ui->frameMain->move(ui->frameMain->x(), 0);
    m_detection->setGeometry(p.strip);
    updateWorkArea();
    updateInputShape();
}

void Widget::showEvent(QShowEvent *e)
{
    QWidget::showEvent(e);
    m_inputRegionSent = false;
    updateInputShape();
}

// The window covers its screen: only what it shows takes the pointer, the rest
// of the desktop stays reachable. Sent only when it changes.
void Widget::updateInputShape()
{
    QRegion visible;
    if (!ui->main->isHidden() && (m_slidIn || m_slidingOut)) {
        QRegion bar = ui->frameBackground->geometry();
        bar += m_bar->iconRegion();
        // While the pointer is on the bar its icons grow and shrink on every
        // move: the shape then takes the whole zone they may reach, so that it
        // does not change with each of them.
        if (!m_bar->isAtRest())
            bar += barZone();
        if (!ui->frameDragAdd->isHidden())
            bar += ui->frameDragAdd->geometry();
        if (m_frameAreaShown || m_frameAreaAnimation)
            bar += ui->frameArea->geometry();
        bar &= QRect(QPoint(0, 0), ui->main->size());
        visible += bar.translated(ui->main->pos());
    }
    if (!m_name->isHidden())
        visible += m_name->geometry();
    for (FormMenu *m : qAsConst(menuWindows)) {
        if (!m->isWindow() && !m->isHidden())
            visible += m->geometry();
    }
    if (!m_startMenu->isWindow() && !m_startMenu->isHidden())
        visible += m_startMenu->geometry();
    // An empty region would mean "the whole window": keep one pixel instead,
    // under the edge strip, which lies above it anyway.
    if (visible.isEmpty()) {
        QPoint at = m_detection->geometry().topLeft() - pos();
        if (!rect().contains(at))
            at = QPoint(0, 0);
        visible = QRegion(QRect(at, QSize(1, 1)));
    }
    // Nothing beneath the bar is painted under it, unless the settings'
    // panel area slides there.
    m_bar->setAttribute(Qt::WA_OpaquePaintEvent, !(m_frameAreaShown || m_frameAreaAnimation));
    if (m_inputRegionSent && visible == m_inputRegion)
        return;
    m_inputRegion = visible;
    m_inputRegionSent = true;
    platform::WindowSystemService::get().setInputRegion(this, visible);
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

void Widget::IconWidth(QString, int)
{
    m_relayoutTimer->start(1);
}

void Widget::setScreen(int x)
{
    m_set.screen = x;
    const int i = screenInUse(x);
    const QRect S = platform::ScreensService::get().geometry(i);
    m_screenRect = S.isValid() ? S : screenRect();
    if (geometry() != m_screenRect)
        setGeometry(m_screenRect);
    WindowsTrayWndMove();
    ui->frameWork->setGeometry(0, 0, m_availableRect.width(), m_availableRect.height());
    m_launchPad->placeOnScreen(m_screenRect.x(), m_screenRect.y(), m_screenRect.width(), m_screenRect.height());
    placeBarFrames();
}

void Widget::WindowsTrayWndMove()
{
    auto &screens = platform::ScreensService::get();
    const int i = screenInUse(m_set.screen);
    const QRect S = screens.geometry(i);
    QRect A = screens.availableGeometry(i);
    // Our own reserved strip is no taskbar: the bar must not climb onto it.
    if (!m_strut.isNull() && m_strutScreen == S)
        A = DockLayout::availableWithoutOwnStrip(A, S, m_strutEdge, m_strutDepth, m_workAreaToRestore);
    m_availableRect = A.isValid() ? A : S;
    m_taskbarSide = DockLayout::taskbarSide(m_availableRect, S);
}

void Widget::setMargin(int x)
{
    m_set.margin = x;
    WindowsTrayWndMove();
    placeBarFrames();
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
        for (int r = 0; r < IcoData->rowCount(); ++r) {
            if (IcoData->cell(r, 3) != IconClass::MENU)
                continue;
            if (FormMenu *menu = menuWindows.value(IcoData->cell(r, 0)))
                menu->setPosition(x);
        }
    }
    setBackgroundStyle(m_set.backgroundStyle);
    setIcoSize(int(m_set.currentSizeF));
    m_startMenu->setArrowPosition(x);
}

std::optional<platform::WindowSystem::Level> levelOf(int x)
{
    switch (x) {
    case 0: return platform::WindowSystem::Above;
    case 1: return platform::WindowSystem::Normal;
    case 2: return platform::WindowSystem::Below;
    default: return std::nullopt;
    }
}

void Widget::setLevel(int x)
{
    const auto level = levelOf(x);
    if (!level)
        return;
    platform::WindowSystemService::get().setLevel(this, *level);
    qDebug() << "层级" << x;
}

void Widget::setLevel2(int x)
{
    m_set.level = x;
    if (const auto level = levelOf(x))
        platform::WindowSystemService::get().setLevel(this, *level);
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
    m_name->setFontSize(v);
    m_bubbleEdge = -1; // the bubble is filled anew at the next hover
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
