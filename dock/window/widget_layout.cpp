#include "widget_p.h"

// ---- placement and icons --------------------------------------------------

QRect Widget::screenRect() const
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    if (screens.isEmpty())
        return QRect(0, 0, 1280, 800);
    // A screen that is gone falls back to the first; the setting stays as the user left it.
    const int i = (m_set.screen >= 0 && m_set.screen < screens.size()) ? m_set.screen : 0;
    return screens.at(i)->geometry();
}

void Widget::createIcon()
{
    for (int r = 0; r < ui->IcoData->rowCount(); ++r) {
        const DockIconRecord rec = DockFile::rowOf(ui->IcoData, r);
        if (iconWidgets.contains(rec.IconID))
            continue;
        auto *icon = new FormCommonIcon(ui->frameIco);
        icon->setIcon(rec.IconID, int(m_set.icoMagnified), int(m_set.icoSize), 256, 256, m_set.location, rec.Name,
                      rec.Icon, rec.Class);
        icon->setDoubleClick(m_set.iconDoubleClick);
        icon->setClickStyle(m_set.click);
        connect(icon, &FormCommonIcon::IconWidth, this, &Widget::IconWidth);
        connect(icon, &FormCommonIcon::IconOpen, this, &Widget::IconOpen);
        iconWidgets.insert(rec.IconID, icon);
        if (rec.IconID == IconIds::Plus)
            icon->hide();
        else
            icon->show();
    }
    m_relayoutTimer->start(1);
}

void Widget::clearIcon()
{
    for (FormCommonIcon *icon : qAsConst(iconWidgets)) {
        icon->hide();
        icon->deleteLater();
    }
    iconWidgets.clear();
}

void Widget::createClassIco()
{
    for (int r = 0; r < ui->IcoData->rowCount(); ++r) {
        const DockIconRecord rec = DockFile::rowOf(ui->IcoData, r);
        if (rec.Class != IconClass::MENU)
            continue;
        FormMenu *menu = menuWindows.value(rec.IconID);
        if (!menu) {
            menu = new FormMenu(this);
            menuWindows.insert(rec.IconID, menu);
            menu->setDockEdge(m_set.location);
        }
        menu->hide();
        menu->setPosition(m_set.location);
        menu->setDoubleClick(m_set.iconDoubleClick);
        menu->setMenu(rec.IconID, x(), y());
        menu->layoutIcons(int(m_set.icoSize) - 10, int(m_set.icoSize) - 10);
    }
}

float Widget::iconSpan(const QString &cl) const
{
    return cl == IconClass::BLANK ? m_set.icoSize / 2.5f : m_set.icoSize;
}

// A plain row of icons centred on the chosen edge.
void Widget::IconSorting()
{
    const QRect screen = screenRect();
    const bool horizontal = m_set.location == 0 || m_set.location == 2;
    const int size = int(m_set.icoSize);
    int along = 0;
    for (int r = 0; r < ui->IcoData->rowCount(); ++r) {
        const DockIconRecord rec = DockFile::rowOf(ui->IcoData, r);
        FormCommonIcon *icon = iconWidgets.value(rec.IconID);
        if (!icon || rec.IconID == IconIds::Plus)
            continue;
        const int span = int(iconSpan(rec.Class));
        if (horizontal)
            icon->move(along, 0);
        else
            icon->move(0, along);
        along += span;
    }
    const QSize bar = horizontal ? QSize(along, size) : QSize(size, along);
    const int pad = 10;
    ui->frameIco->setGeometry(pad, pad, bar.width(), bar.height());
    ui->frameMain->setGeometry(0, 0, bar.width() + 2 * pad, bar.height() + 2 * pad);
    ui->frameBackground->setGeometry(ui->frameMain->rect());
    ui->BackgroundH->setVisible(!horizontal);
    ui->BackgroundW->setVisible(horizontal);
    const QSize mainSize = ui->frameMain->size();
    QPoint at;
    switch (m_set.location) {
    case 0: at = QPoint((screen.width() - mainSize.width()) / 2, m_set.margin); break;
    case 1: at = QPoint(screen.width() - mainSize.width() - m_set.margin, (screen.height() - mainSize.height()) / 2); break;
    case 3: at = QPoint(m_set.margin, (screen.height() - mainSize.height()) / 2); break;
    default: at = QPoint((screen.width() - mainSize.width()) / 2, screen.height() - mainSize.height() - m_set.margin); break;
    }
    ui->main->setGeometry(QRect(at, mainSize));
    updateInputShape();
}

void Widget::showEvent(QShowEvent *e)
{
    QWidget::showEvent(e);
    updateInputShape();
}

void Widget::updateInputShape()
{
    QRegion visible;
    if (ui->main->isVisible())
        visible += ui->main->geometry();
    for (FormMenu *m : qAsConst(menuWindows)) {
        if (m->isVisible())
            visible += m->geometry();
    }
    if (m_startMenu->isVisible())
        visible += m_startMenu->geometry();
    // An empty region would mean "the whole window": keep one pixel instead.
    if (visible.isEmpty())
        visible = QRegion(0, 0, 1, 1);
    platform::WindowSystemService::get().setInputRegion(this, visible);
}

void Widget::IconWidth(QString, int)
{
    m_relayoutTimer->start(1);
}

void Widget::setScreen(int x)
{
    m_set.screen = x;
    const QRect r = screenRect();
    if (r != m_screenRect) {
        m_screenRect = r;
        setGeometry(r);
        m_launchPad->placeOnScreen(r.x(), r.y(), r.width(), r.height());
    }
    m_relayoutTimer->start(1);
}

void Widget::setMargin(int x)
{
    m_set.margin = x;
    m_relayoutTimer->start(1);
}

void Widget::setPosition(int x)
{
    m_set.location = x;
    for (FormCommonIcon *icon : qAsConst(iconWidgets))
        icon->setIconSize(int(m_set.icoMagnified), int(m_set.icoSize));
    for (FormMenu *m : qAsConst(menuWindows))
        m->setPosition(x);
    m_relayoutTimer->start(1);
}

void Widget::setLevel(int x)
{
    m_set.level = x;
    static const platform::WindowSystem::Level levels[3] = { platform::WindowSystem::Above,
                                                             platform::WindowSystem::Normal,
                                                             platform::WindowSystem::Below };
    platform::WindowSystemService::get().setLevel(this, levels[qBound(0, x, 2)]);
}

void Widget::setLevel2(int x)
{
    setLevel(x);
}

void Widget::setIcoSize(int x)
{
    const float scale = m_set.icoMagnified - m_set.icoSize;
    m_set.icoSize = m_set.currentSizeF = float(qMax(1, x));
    m_set.currentSize = int(m_set.icoSize);
    m_set.icoMagnified = m_set.icoSize + scale;
    setPosition(m_set.location);
    for (FormMenu *m : qAsConst(menuWindows))
        m->setIconSize(int(m_set.icoSize) - 10, int(m_set.icoSize) - 10);
}

void Widget::setIcoNameSize(int v)
{
    m_set.icoNameSize = v;
    m_name->setFontSize(v);
}

void Widget::setIcoScale(int x)
{
    m_set.icoMagnified = m_set.icoSize + float(x);
    setPosition(m_set.location);
}

void Widget::setBackgroundStyle(int x) { m_set.backgroundStyle = x; }
void Widget::setTransparentBackground(int x) { m_set.transparentBackground = x; }

void Widget::setClick(int x)
{
    qDebug() << "点击特效" << x;
    m_set.click = x;
    for (FormCommonIcon *icon : qAsConst(iconWidgets))
        icon->setClickStyle(x);
}

void Widget::setLocking(bool b) { m_set.locking = b; }

void Widget::setHide(bool b)
{
    m_set.hide = m_set.hideInEffect = b;
}

void Widget::setIconDoubleClick(bool b)
{
    m_set.iconDoubleClick = b;
    for (FormCommonIcon *icon : qAsConst(iconWidgets))
        icon->setDoubleClick(b);
    for (FormMenu *m : qAsConst(menuWindows))
        m->setDoubleClick(b);
    m_launchPad->setIconDoubleClick(b);
}

void Widget::setDesktopIcon(bool b) { m_set.desktopIcon = b; }
void Widget::setWorkArea(bool b) { m_set.workArea = b; }
void Widget::setClose() { popupOpen = false; }

// ---- showing and hiding ---------------------------------------------------

void Widget::MouseIn()
{
    setShowWindows();
}

void Widget::HiddenEnd()
{
    m_detection->hide();
}

void Widget::myIn()
{
    ui->main->show();
    m_slidIn = true;
    updateInputShape();
}

void Widget::setShowWindows()
{
    show();
    myIn();
    platform::WindowSystemService::get().raiseOnce(this);
    m_desktopTime->RaiseWindow();
}

void Widget::setHideWindows()
{
    ui->main->hide();
    m_name->hide();
    m_weatherEffects->hide();
    updateInputShape();
}
