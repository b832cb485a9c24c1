#include "dock/menus/formmenu.h"

#include "ui_formmenu.h"

#include <QFileInfo>

FormMenu::FormMenu(QWidget *parent) : QWidget(parent), ui(new Ui::FormMenu)
{
    ui->setupUi(this);
}

FormMenu::~FormMenu()
{
    delete ui;
}

void FormMenu::setMenu(const QString &ID, int x, int y)
{
    m_menuId = ID;
    m_dockX = x;
    m_dockY = y;
}

void FormMenu::layoutIcons(int w, int h)
{
    m_iconWidth = w;
    m_iconHeight = h;
}

void FormMenu::setIconSize(int w, int h)
{
    layoutIcons(w, h);
}

void FormMenu::setDoubleClick(bool b)
{
    m_doubleClick = b;
}

void FormMenu::setPosition(int edge)
{
    if (edge == m_edge)
        return;
    m_edge = edge;
    layoutIcons(m_iconWidth, m_iconHeight);
}

void FormMenu::toggle()
{
    if (m_shown)
        hideAnimated();
    else
        showAnimated();
}

void FormMenu::showAnimated()
{
    if (m_shown)
        return;
    m_shown = true;
    emit setIcoBShow(true);
}

void FormMenu::hideAnimated()
{
    if (!m_shown)
        return;
    m_shown = false;
    emit setIcoBShow(false);
    // The slide-out of the BACK icon is what normally hides the pop-up; a
    // pop-up without one would otherwise stay up as an empty strip.
    hide();
}

bool FormMenu::AddIcon(QString ico, QString name, QString cl, QString path)
{
    Q_UNUSED(name)
    Q_UNUSED(cl)
    // A row needs a picture file and a path.
    const bool taken = QFileInfo(ico).isFile() && !path.isEmpty();
    // Whatever the outcome of an add, the menu closes.
    hideAnimated();
    return taken;
}
