#include "dock/menus/formstartmenu.h"

#include "ui_formstartmenu.h"

#include <QDebug>
#include <QPixmap>
#include <QScrollBar>

FormStartMenu::FormStartMenu(QWidget *parent) : QWidget(parent), ui(new Ui::FormStartMenu)
{
    ui->setupUi(this);
    // No window type: the panel stays a child of the dock window.
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_TranslucentBackground);
    shown = false;

    ui->TreeWidget->setHeaderHidden(true);
    ui->TreeWidget->setRootIsDecorated(false);
    ui->TreeWidget->setFocusPolicy(Qt::NoFocus);
}

FormStartMenu::~FormStartMenu()
{
    delete ui;
}

void FormStartMenu::toggleShow()
{
    if (!shown) {
        show();
        shown = true;
        qDebug() << "true";
    } else {
        hide();
        shown = false;
        qDebug() << "false";
    }
}

void FormStartMenu::hideMenu()
{
    hide();
    ui->TreeWidget->verticalScrollBar()->setValue(0);
    ui->TreeWidget->collapseAll();
    shown = false;
}

void FormStartMenu::setArrowPosition(int edge)
{
    QLabel *arrow = ui->Arrow;
    const int x = (width() - arrow->width()) / 2;
    QString picture;
    switch (edge) {
    case 0:
        arrow->move(x, 0);
        picture = ":/image/menu/UpArrow2.png";
        break;
    case 2:
        arrow->move(x, ui->frameMenu->y() + ui->frameMenu->height());
        picture = ":/image/menu/DownArrow2.png";
        break;
    case 1:
    case 3:
        arrow->hide();
        return;
    default:
        return;
    }
    const QPixmap pixmap(picture);
    arrow->setPixmap(pixmap.isNull() ? pixmap
                                     : pixmap.scaled(arrow->size(), Qt::IgnoreAspectRatio,
                                                     Qt::SmoothTransformation));
    arrow->show();
}
