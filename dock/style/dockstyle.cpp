#include "dockstyle.h"

#include <QMenu>

QString pictureButtonSheet(const QString &normal, const QString &hover)
{
    return QStringLiteral(
               "QPushButton{border-image: url(%1);background-image: url();background-color: rgba(255, 255, 255, 0);border:0px;}"
               "QPushButton:hover{border-image: url(%2);background-image: url();background-color: rgba(255, 255, 255, 0);border:0px;}"
               "QPushButton:pressed{border-image: url(%2);background-image: url();background-color: rgba(255, 255, 255, 0);border:0px;}")
        .arg(normal, hover);
}

QString closeButtonSheet()
{
    return pictureButtonSheet(QStringLiteral(":/image/menu/c0.png"), QStringLiteral(":/image/menu/c1.png"));
}

namespace DockStyle {

QString menuSheet()
{
    return QStringLiteral(
        "QMenu{background:#FFFFFF;border: 0px;border-radius: 2px;border-style: solid;padding:3px 0px 3px 0px;}"
        "QMenu::item{background-color: transparent;padding:0px 20px 0px 20px;height:25px;color:#000000;}"
        "QMenu::item:selected:enabled{background:#2168DB;color:#ffffff;}");
}

QMenu *popupMenu(QMenu *menu)
{
    menu->setWindowFlags(Qt::Popup | Qt::FramelessWindowHint);
    menu->setAttribute(Qt::WA_TranslucentBackground);
    menu->setStyleSheet(menuSheet());
    return menu;
}

QString comboSheet()
{
    return QStringLiteral(
        "QComboBox{background-color:#C8C8C8;border-radius:2px;border:none;color:#000000;padding-left:6px;}"
        "QComboBox::drop-down{background-color:#C8C8C8;min-width:26px;border:none;}"
        "QComboBox::down-arrow{image:url(:/image/menu/arrow-drop.png);}"
        "QComboBox QAbstractItemView{background-color:#C8C8C8;border:none;outline:0px;}"
        "QComboBox QAbstractItemView::item{min-height:25px;background-color:#C8C8C8;color:#000000;}"
        "QComboBox QAbstractItemView::item:hover{background-color:#BBBBBB;}"
        "QComboBox QAbstractItemView::item:selected{background-color:#BBBBBB;color:#000000;}");
}

QString sliderSheet()
{
    return QStringLiteral(
        "QSlider::groove:horizontal{height:26px;background:#C8C8C8;border-radius:2px;}"
        "QSlider::sub-page:horizontal{background:#C8C8C8;border-radius:2px;}"
        "QSlider::add-page:horizontal{background:#C8C8C8;border-radius:2px;}"
        "QSlider::handle:horizontal{width:14px;height:26px;background:#868686;border-radius:2px;}"
        "QSlider::handle:horizontal:hover{background:#5294E2;}");
}

QString scrollBarSheet()
{
    return QStringLiteral(
        "QScrollBar:vertical{width:10px;background:transparent;margin:10px 0px 10px 0px;}"
        "QScrollBar::handle:vertical{background:#DBDBDB;border-radius:4px;min-height:20px;}"
        "QScrollBar::handle:vertical:hover{background:#C8C8C8;}"
        "QScrollBar::sub-line:vertical{height:10px;width:10px;border-image:url(:/images/up-arrow.png);"
        "subcontrol-position:top;}"
        "QScrollBar::add-line:vertical{height:10px;width:10px;border-image:url(:/images/down-arrow.png);"
        "subcontrol-position:bottom;}"
        "QScrollBar::add-page:vertical,QScrollBar::sub-page:vertical{background:transparent;}");
}

} // namespace DockStyle
