#include "formcommonicon.h"
#include "dock/style/dockstyle.h"

#include "dock/icons/dockface.h"
#include "dock/icons/formrecycle.h"
#include "dock/icons/productlinks.h"
#include "dock/model/iconclasses.h"
#include "platform/opener.h"

#include <QCursor>
#include <QMenu>
#include <QPainter>
#include <QPropertyAnimation>

FormCommonIcon::FormCommonIcon(QWidget *parent) : QWidget(parent) {}

FormCommonIcon::~FormCommonIcon() = default;

void FormCommonIcon::setIcon(const QString &id, int magnified, int normal, int size3, int size4, int edge,
                             const QString &name, const QString &icon, const QString &cl)
{
    Q_UNUSED(magnified) Q_UNUSED(size3) Q_UNUSED(size4)
    m_id = id;
    m_name = name;
    m_iconPath = icon;
    m_class = cl;
    m_edge = edge;
    delete m_face;
    m_face = DockFace::create(cl, icon, this);
    m_face->setEdge(edge);
    m_face->setName(name);
    m_face->setActive(isVisible());
    connect(m_face, &DockFace::changed, this, qOverload<>(&QWidget::update));
    resize(normal, normal);
    update();
}

void FormCommonIcon::paintEvent(QPaintEvent *)
{
    if (!m_face || width() <= 10 || height() <= 10)
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setRenderHint(QPainter::Antialiasing);
    m_face->paint(p, rect().adjusted(5, 5, -5, -5));
}

void FormCommonIcon::showEvent(QShowEvent *e)
{
    QWidget::showEvent(e);
    if (m_face)
        m_face->setActive(true);
}

void FormCommonIcon::hideEvent(QHideEvent *e)
{
    QWidget::hideEvent(e);
    if (m_face)
        m_face->setActive(false);
}

void FormCommonIcon::closeAnimation()
{
    auto *a = new QPropertyAnimation(this, "geometry", this);
    a->setDuration(200);
    const int x = this->x(), y = this->y(), w = width(), h = height();
    a->setStartValue(QRect(x, y, w + 5, h + 5));
    a->setEndValue(QRect(x + w / 2, y + h / 2, 0, 0));
    a->setEasingCurve(QEasingCurve::OutQuad);
    connect(a, &QPropertyAnimation::finished, this, &FormCommonIcon::MyClose);
    a->start(QAbstractAnimation::DeleteWhenStopped);
}

void FormCommonIcon::MyClose()
{
    hide();
}

// The bar jumps the icon it opens; here only the command goes out.
void FormCommonIcon::OpenIcon()
{
    emit IconOpen(m_id);
}

void FormCommonIcon::OpenRecycle()
{
    emit IconOpen(m_id);
}

void FormCommonIcon::ClearRecycle()
{
    FormRecycle::clearRecycleBin();
}

void FormCommonIcon::myHelp()
{
    platform::OpenerService::get().openUrl(ProductLinks::helpPage());
}

void FormCommonIcon::MenuHide()
{
    emit IconMenu(m_id, DockIconMenuCode::MenuClosed);
}

// ---------------------------------------------------------------- context menu

QString FormCommonIcon::menuStyleSheet()
{
    return DockStyle::menuSheet();
}

void FormCommonIcon::fillContextMenu(QMenu *main, QMenu *addMenu, QMenu *setMenu)
{
    addMenu->setTitle(tr("添加图标"));
    setMenu->setTitle(tr("图标设置"));

    for (const IconMenuEntry entry : IconClasses::of(m_class).barMenu) {
        switch (entry) {
        case IconMenuEntry::Open: main->addAction(tr("打开"), this, &FormCommonIcon::OpenIcon); break;
        case IconMenuEntry::OpenBin: main->addAction(tr("打开回收站"), this, &FormCommonIcon::OpenRecycle); break;
        case IconMenuEntry::ClearBin: main->addAction(tr("清空回收站"), this, &FormCommonIcon::ClearRecycle); break;
        case IconMenuEntry::Separator: main->addSeparator(); break;
        case IconMenuEntry::IconSettings: main->addAction(tr("图标设置"), this, &FormCommonIcon::IconSet); break;
        case IconMenuEntry::BackgroundSettings:
            main->addAction(tr("图标背景设置"), this, &FormCommonIcon::IconSet);
            break;
        case IconMenuEntry::BinPictures:
            setMenu->addAction(tr("设置回收站图标（空）"), this, &FormCommonIcon::RecycleIconAir);
            setMenu->addAction(tr("设置回收站图标（满）"), this, &FormCommonIcon::RecycleIconfull);
            main->addMenu(setMenu);
            break;
        case IconMenuEntry::DriveSettings: main->addAction(tr("盘符设置"), this, &FormCommonIcon::IconSetDisk); break;
        case IconMenuEntry::DesktopTools:
            main->addAction(tr("桌面工具"), this, &FormCommonIcon::AddDesktopWidget);
            break;
        case IconMenuEntry::AddIcons:
            addMenu->addAction(tr("添加应用图标"), this, &FormCommonIcon::AddIcon);
            addMenu->addAction(tr("添加系统图标"), this, &FormCommonIcon::AddSystemIcon);
            addMenu->addAction(tr("添加网址"), this, &FormCommonIcon::AddUrlIco);
            addMenu->addAction(tr("添加扩展菜单"), this, &FormCommonIcon::AddExtendedMenu);
            addMenu->addAction(tr("添加文件夹"), this, &FormCommonIcon::AddFolder);
            addMenu->addAction(tr("添加分栏图标"), this, &FormCommonIcon::AddBlank);
            main->addMenu(addMenu);
            break;
        case IconMenuEntry::AddToMenu:
            addMenu->addAction(tr("菜单中添加应用图标"), this, &FormCommonIcon::menuAddIcon);
            addMenu->addAction(tr("菜单中添加网址"), this, &FormCommonIcon::menuAddUrlIco);
            addMenu->addAction(tr("菜单中添加系统图标"), this, &FormCommonIcon::menuAddSystemIcon);
            addMenu->addAction(tr("菜单中添加文件夹"), this, &FormCommonIcon::menuAddFolder);
            main->addMenu(addMenu);
            break;
        case IconMenuEntry::Delete: main->addAction(tr("删除图标"), this, &FormCommonIcon::DeleteIcon); break;
        case IconMenuEntry::DeleteBin:
            main->addAction(tr("删除图标          "), this, &FormCommonIcon::DeleteIcon);
            break;
        case IconMenuEntry::DeleteDrive:
            main->addAction(tr("删除图标       "), this, &FormCommonIcon::DeleteIcon);
            break;
        case IconMenuEntry::DeleteMenu:
            main->addAction(tr("删除扩展菜单       "), this, &FormCommonIcon::DeleteIcon);
            break;
        }
    }
    // The same tail for every class.
    main->addSeparator();
    main->addAction(tr("Dock设置          "), this, &FormCommonIcon::showSet);
    main->addAction(tr("使用帮助     "), this, &FormCommonIcon::myHelp);
    main->addAction(tr("隐藏Dock          "), this, &FormCommonIcon::setHideWindows);
    main->addAction(tr("退出Dock          "), this, &FormCommonIcon::systemClose);
}

void FormCommonIcon::runContextMenu()
{
    // Built anew for every opening and freed when it closes. The menus have
    // no parent: a command may rebuild the bar, and this icon with it, while
    // the menu still runs.
    QMenu addMenu;
    QMenu setMenu;
    QMenu main;
    for (QMenu *m : { &addMenu, &setMenu, &main }) {
        m->setWindowFlags(Qt::Popup | Qt::FramelessWindowHint);
        m->setAttribute(Qt::WA_TranslucentBackground);
    }
    connect(&main, &QMenu::aboutToHide, this, &FormCommonIcon::MenuHide);
    fillContextMenu(&main, &addMenu, &setMenu);
    main.setStyleSheet(menuStyleSheet());
    addMenu.setStyleSheet(menuStyleSheet());
    setMenu.setStyleSheet(menuStyleSheet());
    main.exec(QCursor::pos());
}
