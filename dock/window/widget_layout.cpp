#include "widget_p.h"

#include "docklayout.h"

#include <QPropertyAnimation>

// ---- placement and icons --------------------------------------------------

void Widget::createIcon()
{
    const int edge = m_set.location;
    const bool horizontal = DockLayout::isHorizontal(edge);
    int length = 0;
    for (int r = 0; r < IcoData->rowCount(); ++r) {
        const DockIconRecord rec = IcoData->record(r);
        FormCommonIcon *icon = iconWidgets.value(rec.IconID);
        if (!icon) {
            icon = new FormCommonIcon(ui->frameIco);
            iconWidgets.insert(rec.IconID, icon);
            connect(icon, &FormCommonIcon::IconMouseIn, this, &Widget::IconMouseIn);
            connect(icon, &FormCommonIcon::IconMouseMove, this, &Widget::IconMouseMove);
            connect(icon, &FormCommonIcon::IconWidth, this, &Widget::IconWidth);
            connect(icon, &FormCommonIcon::MousePosition, this, &Widget::MousePosition);
            connect(icon, &FormCommonIcon::IconOpen, this, &Widget::IconOpen);
            connect(icon, &FormCommonIcon::IconMenu, this, &Widget::showMenu);
            connect(icon, &FormCommonIcon::IconPressMove, this, &Widget::IconPressMove);
            connect(icon, &FormCommonIcon::IconPressRelease, this, &Widget::IconPressRelease);
            connect(icon, &FormCommonIcon::SendDetectionExists, this, &Widget::IconDetectionExists);
            connect(icon, &FormCommonIcon::IconMove, this, &Widget::IconMove);
        }
        icon->setIcon(rec.IconID, int(m_set.icoMagnified), int(m_set.currentSizeF), 256, 256, edge, rec.Name,
                      rec.Icon, rec.Class);
        icon->move(DockLayout::firstPlace(edge, r, m_set.currentSizeF, m_set.icoMagnified));
        icon->setDoubleClick(m_set.iconDoubleClick);
        icon->setClickStyle(m_set.click);
        if (rec.IconID == IconIds::Plus)
            icon->hide();
        else
            icon->show();
        length += horizontal ? icon->width() : icon->height();
    }
    m_hoverSized.clear();
    if (horizontal)
        sizeBar(length, int(m_set.icoMagnified));
    else
        sizeBar(int(m_set.icoMagnified), length);
    m_relayoutTimer->start(1);
}

// The bar built anew from the table: its icons and its menus.
void Widget::rebuildBar()
{
    clearIcon();
    createIcon();
    createClassIco();
}

void Widget::clearIcon()
{
    for (int r = IcoData->rowCount() - 1; r >= 0; --r) {
        if (FormCommonIcon *icon = iconWidgets.take(IcoData->cell(r, 0))) {
            icon->hide();
            icon->deleteLater();
        }
    }
    // Widgets whose rows went away without them go too.
    for (FormCommonIcon *icon : qAsConst(iconWidgets)) {
        icon->hide();
        icon->deleteLater();
    }
    iconWidgets.clear();
    m_hoverSized.clear();
    m_set.currentSizeF = m_set.icoSize;
    m_set.currentSize = int(m_set.icoSize);
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
            if (FormCommonIcon *icon = iconWidgets.value(id)) {
                icon->setDiskInfo(id, IcoData->cell(r, 4));
                icon->setDoubleClick(m_set.iconDoubleClick);
            }
        } else if (cl == IconClass::WEATHER) {
            afterFirstPaint([this] { weatherWindow()->startWeather(); });
        }
    }
}

void Widget::applySizes()
{
    const int n = int(m_set.currentSizeF);
    for (int r = 0; r < IcoData->rowCount(); ++r) {
        const QString id = IcoData->cell(r, 0);
        if (FormCommonIcon *icon = iconWidgets.value(id))
            icon->setIconSize(int(m_set.icoMagnified), n);
        if (IcoData->cell(r, 3) == IconClass::MENU) {
            if (FormMenu *menu = menuWindows.value(id))
                menu->setIconSize(n - 10, n - 10);
        }
    }
    m_hoverSized.clear();
}

// The relayout: icons touch one another in table order; the bar follows.
void Widget::IconSorting()
{
    const int edge = m_set.location;
    const float M = m_set.icoMagnified;
    const int rows = IcoData->rowCount();
    int x = 0, y = 0, blanks = 0;
    for (int r = 0; r < rows; ++r) {
        if (IcoData->cell(r, 3) == IconClass::BLANK)
            ++blanks;
        FormCommonIcon *icon = iconWidgets.value(IcoData->cell(r, 0));
        if (!icon || icon->isHidden())
            continue;
        const QSize s = icon->size();
        icon->placeAt(DockLayout::rowPlace(edge, x, y, s, M));
        x += s.width();
        y += s.height();
    }
    const bool horizontal = DockLayout::isHorizontal(edge);
    const DockLayout::Fit fit = DockLayout::fitCheck(m_set.currentSizeF, rows, blanks, horizontal ? width() : height());
    if (fit.overflow) {
        qDebug() << (horizontal ? "横向图标超出窗体" : "纵向图标超出窗体");
        setTemporaryIcoSize(fit.size);
    }
    sizeBar(x, y);
    // A drag over the bar keeps its gap open through every relayout.
    if (m_gapOpen)
        holdDragGap();
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
    ui->frameArea->resize(W, H);
    // A running slide of the area ends where it should; the relayout does not cut it short.
    if (!m_frameAreaAnimation)
        ui->frameArea->move(DockLayout::frameAreaPoint(edge, m_frameAreaShown, ui->frameArea->size()));
    ui->frameIco->resize(s.frameIco);
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
        ui->frameIco->move(along.ico, s.icoAcross);
        ui->frameBackground->move(along.background, s.backgroundAcross);
    } else {
        ui->frameIco->move(s.icoAcross, along.ico);
        ui->frameBackground->move(s.backgroundAcross, along.background);
    }
    updateInputShape();
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
    const int n = int(m_set.currentSizeF);
    for (int r = 0; r < IcoData->rowCount(); ++r) {
        if (FormCommonIcon *icon = iconWidgets.value(IcoData->cell(r, 0)))
            icon->setIconSize(int(m_set.icoMagnified), n);
    }
    m_hoverSized.clear();
    WindowsTrayWndMove();
    placeBarFrames();
    m_relayoutTimer->start(1);
}

void Widget::setClick(int x)
{
    qDebug() << "点击特效" << x;
    m_set.click = x;
    for (FormCommonIcon *icon : qAsConst(iconWidgets))
        icon->setClickStyle(x);
}
