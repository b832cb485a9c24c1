#include "widget_p.h"

#include "dockmenus.h"

// ---- placement and icons: the bar's layout does it ---------------------------

void Widget::createIcon() { m_layout->placeIcons(); }
void Widget::clearIcon() { m_layout->restSizes(); }
void Widget::IconSorting() { m_layout->relayout(); }
void Widget::IconWidth(QString, int) { m_layout->requestRelayout(); }
void Widget::setPosition(int x) { m_layout->setEdge(x); }
void Widget::setIcoSize(int x) { m_layout->setIconSize(x); }
void Widget::setTemporaryIcoSize(int v) { m_layout->setTemporaryIconSize(v); }
void Widget::setIcoNameSize(int v) { m_layout->setNameSize(v); }
void Widget::setIcoScale(int x) { m_layout->setScale(x); }
void Widget::setClick(int x) { m_layout->setClick(x); }

// The bar laid out anew from the table, and the menus of new menu icons.
void Widget::rebuildBar()
{
    m_layout->rebuild();
    createClassIco();
}

void Widget::createClassIco()
{
    m_menus->createMissing(m_set.location, m_set.iconDoubleClick, int(m_set.currentSizeF));
    for (int r = 0; r < IcoData->rowCount(); ++r) {
        const QString cl = IcoData->cell(r, 3);
        if (cl == IconClass::DISK)
            m_bar->setDrive(IcoData->cell(r, 0), IcoData->cell(r, 4));
        else if (cl == IconClass::WEATHER)
            afterFirstPaint([this] { weatherWindow()->startWeather(); });
    }
}
