#include "formcommonicon.h"
#include "dock/style/dockstyle.h"
#include "ui_formcommonicon.h"

#include "dock/icons/formclock1.h"
#include "dock/icons/formclock2.h"
#include "dock/icons/formdisk.h"
#include "dock/icons/formrecycle.h"
#include "dock/icons/formtimingflash.h"
#include "dock/icons/formweathericon.h"
#include "dock/icons/iconpictures.h"
#include "dock/icons/productlinks.h"
#include "platform/opener.h"
#include "platform/regularfile.h"

#include <QCursor>
#include <QDebug>
#include <QFileInfo>
#include <QIODevice>
#include <QMenu>
#include <QMouseEvent>
#include <QMovie>
#include <QPropertyAnimation>
#include <QTimer>

namespace {
QPoint rounded(const QMouseEvent *e)
{
    return QPoint(qRound(e->localPos().x()), qRound(e->localPos().y()));
}
} // namespace

FormCommonIcon::FormCommonIcon(QWidget *parent) : QWidget(parent), ui(new Ui::FormCommonIcon)
{
    ui->setupUi(this);
    for (QWidget *w : { static_cast<QWidget *>(ui->Icon), static_cast<QWidget *>(ui->frame),
                        static_cast<QWidget *>(ui->frameIcon), static_cast<QWidget *>(ui->frameMouse),
                        static_cast<QWidget *>(this) })
        w->setAttribute(Qt::WA_MouseTracking);
    ui->line->hide();
    ui->Icon2->hide();

    // One size animation per icon, reused by every hover and restore.
    m_sizeAnimation = new QPropertyAnimation(this, "size", this);
    m_hoverTimer = new QTimer(this);
    m_hoverTimer->setSingleShot(true);
    connect(m_hoverTimer, &QTimer::timeout, this, &FormCommonIcon::timeOver);
    m_ring = new FormTimingFlash(nullptr);
    m_ring->setRange(0, 500);
    m_clickTimer = new QTimer(this);
    m_clickTimer->setSingleShot(true);
    connect(m_clickTimer, &QTimer::timeout, this, &FormCommonIcon::ClickTimeOver);
    m_ringTimer = new QTimer(this);
    connect(m_ringTimer, &QTimer::timeout, this, &FormCommonIcon::TimingTimeOver);
}

FormCommonIcon::~FormCommonIcon()
{
    // The ring is a top-level window of its own; it goes with its icon.
    delete m_ring;
    delete ui;
}

// ---------------------------------------------------------------- data and sizes

void FormCommonIcon::storeData(const QString &id, int magnified, int normal, int size3, int size4, int edge,
                               const QString &name, const QString &icon, const QString &cl)
{
    m_id = id;
    m_name = name;
    m_magnified = m_magnifiedBase = magnified;
    m_normal = m_normalBase = normal;
    m_size3 = size3;
    m_size4 = size4;
    m_edge = edge;
    m_iconPath = icon;
    m_class = cl;
}

bool FormCommonIcon::hasLiveFace() const
{
    return isClass("RECYCLE") || isClass("DISK") || isClass("WEATHER") || isClass("TIME1") || isClass("TIME2");
}

QWidget *FormCommonIcon::face() const
{
    if (isClass("RECYCLE"))
        return m_recycle;
    if (isClass("DISK"))
        return m_disk;
    if (isClass("WEATHER"))
        return m_weather;
    if (isClass("TIME1"))
        return m_clock1;
    if (isClass("TIME2"))
        return m_clock2;
    return nullptr;
}

void FormCommonIcon::removeFaces()
{
    delete m_recycle;
    delete m_disk;
    delete m_weather;
    delete m_clock1;
    delete m_clock2;
    m_recycle = nullptr;
    m_disk = nullptr;
    m_weather = nullptr;
    m_clock1 = nullptr;
    m_clock2 = nullptr;
}

bool FormCommonIcon::applyPlainClass()
{
    const float normal = m_normalBase;
    if (isClass("BLANK")) {
        // A separator does not magnify; its thickness is the normal size / 2.5.
        m_magnified = normal;
        m_normal = normal / 2.5f;
        if (horizontal()) {
            m_iconPath = QStringLiteral(":/image/icon/Blank0.png");
            resize(int(normal / 2.5f), int(normal));
            ui->frameIcon->resize(int(normal / 2.5f - 10), int(normal - 10));
        } else if (vertical()) {
            m_iconPath = QStringLiteral(":/image/icon/Blank1.png");
            resize(int(normal), int(normal / 2.5f));
            ui->frameIcon->resize(int(normal - 10), int(normal / 2.5f - 10));
        }
        showStill();
        return true;
    }
    if (hasLiveFace())
        return false;

    resize(int(normal), int(normal));
    ui->frameIcon->resize(int(normal - 10), int(normal - 10));
    placeLine();
    if (isClass("URL")) {
        if (m_iconPath == IconPictures::UrlTile) {
            dropMovie();
            m_movieFlag = false;
            ui->Icon->setText(m_name.left(1));
            ui->Icon->setStyleSheet(IconPictures::tileSheet(IconPictures::UrlTile));
            return true;
        }
        ui->Icon->setText(QString());
        ui->Icon->setStyleSheet(IconPictures::tileSheet(QString()));
    }
    showPicture();
    return true;
}

void FormCommonIcon::setIcon(const QString &id, int magnified, int normal, int size3, int size4, int edge,
                             const QString &name, const QString &icon, const QString &cl)
{
    storeData(id, magnified, normal, size3, size4, edge, name, icon, cl);
    // A second setIcon replaces the face of the first.
    removeFaces();
    if (applyPlainClass())
        return;

    dropMovie();
    m_movieFlag = false;
    ui->Icon->clear();
    resize(normal, normal);
    placeLine();
    QWidget *f = nullptr;
    if (isClass("RECYCLE")) {
        m_recycle = new FormRecycle(ui->frameIcon);
        m_recycle->setIcons(m_iconPath);
        f = m_recycle;
    } else if (isClass("DISK")) {
        f = m_disk = new FormDisk(ui->frameIcon);
    } else if (isClass("WEATHER")) {
        f = m_weather = new FormWeatherIcon(ui->frameIcon);
    } else if (isClass("TIME1")) {
        f = m_clock1 = new FormClock1(ui->frameIcon);
    } else {
        f = m_clock2 = new FormClock2(ui->frameIcon);
    }
    f->setAttribute(Qt::WA_MouseTracking);
    f->resize(int(normal - 10.0f), int(normal - 10.0f));
    if (m_weather)
        m_weather->setIconImage(m_iconPath);
    f->move(0, 0);
    f->show();
}

void FormCommonIcon::resetIcon(const QString &id, int magnified, int normal, int size3, int size4, int edge,
                               const QString &name, const QString &icon, const QString &cl)
{
    if (cl != m_class || (hasLiveFace() && !face())) {
        // Owners keep the class of an icon; should it change, build anew.
        setIcon(id, magnified, normal, size3, size4, edge, name, icon, cl);
        return;
    }
    storeData(id, magnified, normal, size3, size4, edge, name, icon, cl);
    if (applyPlainClass())
        return;

    resize(normal, normal);
    placeLine();
    QWidget *f = face();
    if (m_recycle)
        m_recycle->setIcons(m_iconPath);
    f->resize(int(normal - 10.0f), int(normal - 10.0f));
    if (m_weather)
        m_weather->setIconImage(m_iconPath);
    f->move(0, 0);
}

void FormCommonIcon::setIconSize(int magnified, int normal)
{
    m_magnified = m_magnifiedBase = magnified;
    m_normal = m_normalBase = normal;
    if (!isClass("BLANK")) {
        resize(normal, normal);
        return;
    }
    m_magnified = normal;
    m_normal = normal / 2.5f;
    if (horizontal())
        resize(int(normal / 2.5f), normal);
    else if (vertical())
        resize(normal, int(normal / 2.5f));
}

void FormCommonIcon::setSize(float s)
{
    if (frozen)
        return;
    m_hoverTimer->stop();
    m_sizeAnimation->stop();
    if (!isClass("BLANK"))
        resize(int(s), int(s));
    else if (horizontal())
        resize(int(m_normal), int(s));
    else if (vertical())
        resize(int(s), int(m_normal));
    emit IconWidth(m_id, width());
}

void FormCommonIcon::setDiskInfo(const QString &id, const QString &drive)
{
    if (id == m_id && isClass("DISK") && m_disk)
        m_disk->setDisk(drive);
}

void FormCommonIcon::setWeather(const QString &name, const QString &stateDetailed, const QString &temNow,
                                const QString &state)
{
    if (isClass("WEATHER") && m_weather)
        m_weather->setWeather(name, stateDetailed, temNow, state);
}

// ---------------------------------------------------------------- pictures

void FormCommonIcon::placeLine()
{
    ui->line->move((width() - ui->line->width()) / 2, height() - ui->line->height() - 3);
}

void FormCommonIcon::dropMovie()
{
    if (!m_movie)
        return;
    if (ui->Icon->movie() == m_movie)
        ui->Icon->setMovie(nullptr);
    delete m_movie;
    m_movie = nullptr;
}

void FormCommonIcon::showStill()
{
    m_movieFlag = false;
    dropMovie();
    IconPictures::show(ui->Icon, m_iconPath, ui->frameIcon->size());
}

void FormCommonIcon::showPicture()
{
    if (QFileInfo(m_iconPath).suffix() != QLatin1String("gif")) {
        showStill();
        return;
    }
    // One movie per icon: a new picture frees the movie of the old one.
    dropMovie();
    m_movieFlag = true;
    QIODevice *bytes = platform::RegularFile::openPicture(m_iconPath);
    if (!bytes) {
        showStill(); // shows nothing, as for any picture that cannot be read
        return;
    }
    m_movie = new QMovie(bytes, QByteArray(), this);
    bytes->setParent(m_movie);
    m_movie->setScaledSize(ui->frameIcon->size());
    ui->Icon->setMovie(m_movie);
    m_movie->start();
}

void FormCommonIcon::resizeEvent(QResizeEvent *)
{
    const int w = width();
    const int h = height();
    if (isClass("BLANK")) {
        QSize area = ui->frameIcon->size();
        if (horizontal())
            area = QSize(int(m_normal - 10), int(m_magnified - 10));
        else if (vertical())
            area = QSize(int(m_magnified - 10), int(m_normal - 10));
        ui->frameIcon->resize(area);
        ui->Icon->resize(area);
        // The separator hugs the screen edge whatever its length.
        switch (m_edge) {
        case 0:
        case 3:
            ui->frameIcon->move(5, 5);
            break;
        case 1:
            ui->frameIcon->move(w - ui->frameIcon->width() - 5, 5);
            break;
        case 2:
            ui->frameIcon->move(5, h - ui->frameIcon->height() - 5);
            break;
        default:
            break;
        }
        showStill();
    } else {
        ui->frameIcon->resize(w - 10, h - 10);
        ui->Icon->resize(w - 10, h - 10);
        placeLine();
        if (hasLiveFace()) {
            if (QWidget *f = face())
                f->resize(w - 10, h - 10);
        } else if (isClass("URL") && m_iconPath == IconPictures::UrlTile) {
            QFont f(QStringLiteral("Microsoft YaHei"));
            f.setWeight(10);
            f.setPixelSize(qMax(1, w / 2));
            ui->Icon->setFont(f);
        } else if (m_movieFlag && m_movie) {
            m_movie->setScaledSize(ui->frameIcon->size());
            if (ui->Icon->movie() != m_movie)
                ui->Icon->setMovie(m_movie);
            if (m_movie->state() != QMovie::Running)
                m_movie->start();
        } else {
            showStill();
        }
    }
    emit IconWidth(m_id, w);
}

// ---------------------------------------------------------------- pointer

void FormCommonIcon::cleanUp()
{
    m_clickTimer->stop();
    m_drag = false;
    m_ringTimer->stop();
    m_ring->hide();
}

void FormCommonIcon::mousePressEvent(QMouseEvent *e)
{
    if (isClass("Temporary"))
        return;
    if (e->button() == Qt::LeftButton) {
        m_pressPoint = rounded(e);
        emit IconPosLeft();
        m_pressed = true;
        m_clickTimer->start(500);
        m_ringTicks = 0;
        m_ringTimer->start(1);
    }
    m_pressOffset = e->globalPos() - pos();
}

void FormCommonIcon::ClickTimeOver()
{
    m_drag = true;
    setCursor(Qt::ClosedHandCursor);
}

void FormCommonIcon::TimingTimeOver()
{
    const int n = m_ringTicks;
    if (n == 200)
        m_ring->show();
    if (n >= 201 && n <= 500)
        m_ring->setValue(n);
    if (n > 500) {
        m_ringTimer->stop();
        m_ring->hide();
    }
    ++m_ringTicks;
    m_ring->move(QCursor::pos() - QPoint(15, 15));
}

void FormCommonIcon::mouseMoveEvent(QMouseEvent *e)
{
    const QPoint p = rounded(e);
    QPointer<FormCommonIcon> self(this);
    if (isClass("MENU") || isClass("STARTMENU"))
        emit IconMove(m_id, p, width(), height(), m_class);
    if (!self || isClass("Temporary"))
        return;
    if (!m_pressed) {
        emit IconMouseMove(m_id, p);
    } else if (m_drag && !frozen) {
        emit IconPressMove(m_id, p);
        if (!self)
            return;
        setCursor(Qt::ClosedHandCursor);
    }
    // Each side on its own: one move can leave across two of them.
    if (self && p.y() < 0)
        emit MousePosition(0);
    if (self && p.x() > width())
        emit MousePosition(1);
    if (self && p.y() > height())
        emit MousePosition(2);
    if (self && p.x() < 0)
        emit MousePosition(3);
}

void FormCommonIcon::enterEvent(QEvent *)
{
    m_mouseIn = true;
    m_hoverTimer->start(1);
    if (isClass("WEATHER"))
        emit IconMouseIn(m_id, m_class);
}

void FormCommonIcon::leaveEvent(QEvent *)
{
    if (isClass("Temporary"))
        return;
    ui->line->hide();
    m_mouseIn = false;
    m_hoverTimer->start(1);
}

void FormCommonIcon::mouseReleaseEvent(QMouseEvent *e)
{
    if (isClass("Temporary")) {
        cleanUp();
        return;
    }
    m_pressed = false;
    const QPoint p = rounded(e);
    // The owner may rebuild its bar in answer to any signal below (a drop,
    // an open, a menu command), deleting this icon: check before going on.
    QPointer<FormCommonIcon> self(this);
    switch (e->button()) {
    case Qt::LeftButton:
        if (m_drag)
            emit IconPressRelease(m_id, p);
        else if (!m_doubleClick) {
            if (!isClass("BLANK"))
                OpenIcon();
        } else if (isClass("MENU")) {
            OpenIcon();
        }
        if (!self)
            return;
        setCursor(Qt::ArrowCursor);
        cleanUp();
        break;
    case Qt::RightButton:
        if (m_drag) {
            cleanUp();
            break;
        }
        emit IconMenu(m_id, DockIconMenuCode::MenuOpening);
        if (!self)
            return;
        runContextMenu();
        if (!self)
            return;
        cleanUp();
        break;
    default:
        cleanUp();
        break;
    }
}

void FormCommonIcon::mouseDoubleClickEvent(QMouseEvent *)
{
    if (isClass("Temporary"))
        return;
    qDebug() << "双击";
    if (m_doubleClick && !isClass("BLANK"))
        OpenIcon();
}

void FormCommonIcon::moveEvent(QMoveEvent *)
{
    if (isClass("MENU") || isClass("STARTMENU"))
        emit IconMove(m_id, pos(), width(), height(), m_class);
}

void FormCommonIcon::OpenIcon()
{
    jumpAnimation();
    emit IconOpen(m_id);
}

void FormCommonIcon::OpenRecycle()
{
    jumpAnimation();
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

// ---------------------------------------------------------------- animations

void FormCommonIcon::mouseIn()
{
    m_mouseIn = true;
    m_hoverTimer->start(1);
}

QPropertyAnimation *FormCommonIcon::oneOffAnimation(QObject *target, const QByteArray &property, int duration)
{
    // Parented to the icon so that one still running dies with it.
    auto *a = new QPropertyAnimation(target, property, this);
    a->setDuration(duration);
    return a;
}

void FormCommonIcon::timeOver()
{
    if (frozen || isClass("Temporary"))
        return;
    QSize end;
    if (!isClass("BLANK")) {
        end = m_mouseIn ? QSize(int(m_magnified), int(m_magnified)) : QSize(int(m_normal), int(m_normal));
    } else if (horizontal()) {
        end = QSize(int(m_normal), m_mouseIn ? int(m_magnifiedBase) : int(m_magnified));
    } else if (vertical()) {
        end = QSize(m_mouseIn ? int(m_magnifiedBase) : int(m_magnified), int(m_normal));
    } else {
        return;
    }
    animateSizeTo(end);
}

void FormCommonIcon::restoreSize()
{
    if (isClass("BLANK")) {
        if (horizontal())
            resize(int(m_normal), int(m_magnified));
        else if (vertical())
            resize(int(m_magnified), int(m_normal));
        return;
    }
    if (isClass("Temporary"))
        return;
    animateSizeTo(QSize(int(m_normal), int(m_normal)));
}

void FormCommonIcon::animateSizeTo(const QSize &end)
{
    // Nothing to animate: no timer runs for an icon that is already there.
    if (m_sizeAnimation->state() != QAbstractAnimation::Running && size() == end)
        return;
    m_sizeAnimation->setDuration(300);
    m_sizeAnimation->setStartValue(size());
    m_sizeAnimation->setEndValue(end);
    m_sizeAnimation->setEasingCurve(QEasingCurve::OutBack);
    m_sizeAnimation->start(QAbstractAnimation::KeepWhenStopped);
}

void FormCommonIcon::closeAnimation()
{
    QPropertyAnimation *a = oneOffAnimation(this, "geometry", 200);
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

void FormCommonIcon::jumpAnimation()
{
    if (isClass("MENU") || m_clickStyle != 1)
        return;
    QPropertyAnimation *a = oneOffAnimation(ui->frameIcon, "pos", 700);
    const int x = ui->frameIcon->x();
    a->setKeyValueAt(0, ui->frameIcon->pos());
    a->setKeyValueAt(0.2, QPoint(x, 0));
    a->setKeyValueAt(0.3, QPoint(x, 20));
    a->setKeyValueAt(0.6, QPoint(x, 0));
    a->setKeyValueAt(0.9, QPoint(x, 20));
    a->setKeyValueAt(1, QPoint(x, 0));
    a->setEndValue(QPoint(x, 5));
    a->setEasingCurve(QEasingCurve::OutQuad);
    a->start(QAbstractAnimation::DeleteWhenStopped);
}

void FormCommonIcon::showAnimation()
{
    if (!isClass("UDISK")) {
        ui->Icon->move(0, 0);
        return;
    }
    QPropertyAnimation *a = oneOffAnimation(ui->Icon, "pos", 500);
    a->setStartValue(QPoint(0, -int(m_magnified)));
    a->setEndValue(QPoint(0, 0));
    a->setEasingCurve(QEasingCurve::Linear);
    a->start(QAbstractAnimation::DeleteWhenStopped);
}

void FormCommonIcon::moveAnimation(int x, int y)
{
    if (m_moveAnimation)
        m_moveAnimation->stop();
    QPropertyAnimation *a = oneOffAnimation(this, "pos", 88);
    m_moveAnimation = a;
    a->setStartValue(pos());
    a->setEndValue(QPoint(x, y));
    a->setEasingCurve(QEasingCurve::Linear);
    a->start(QAbstractAnimation::DeleteWhenStopped);
}

void FormCommonIcon::placeAt(const QPoint &p)
{
    if (m_moveAnimation)
        m_moveAnimation->stop();
    move(p);
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

    auto standardAdd = [&] {
        addMenu->addAction(tr("添加应用图标"), this, &FormCommonIcon::AddIcon);
        addMenu->addAction(tr("添加系统图标"), this, &FormCommonIcon::AddSystemIcon);
        addMenu->addAction(tr("添加网址"), this, &FormCommonIcon::AddUrlIco);
        addMenu->addAction(tr("添加扩展菜单"), this, &FormCommonIcon::AddExtendedMenu);
        addMenu->addAction(tr("添加文件夹"), this, &FormCommonIcon::AddFolder);
        addMenu->addAction(tr("添加分栏图标"), this, &FormCommonIcon::AddBlank);
        main->addMenu(addMenu);
    };
    auto tail = [&] {
        main->addAction(tr("Dock设置          "), this, &FormCommonIcon::showSet);
        main->addAction(tr("使用帮助     "), this, &FormCommonIcon::myHelp);
        main->addAction(tr("隐藏Dock          "), this, &FormCommonIcon::setHideWindows);
        main->addAction(tr("退出Dock          "), this, &FormCommonIcon::systemClose);
    };
    auto open = [&] { main->addAction(tr("打开"), this, &FormCommonIcon::OpenIcon); };
    auto desktopTools = [&] { main->addAction(tr("桌面工具"), this, &FormCommonIcon::AddDesktopWidget); };
    auto deleteEntry = [&](const QString &text) { main->addAction(text, this, &FormCommonIcon::DeleteIcon); };

    if (isClass("RECYCLE")) {
        main->addAction(tr("打开回收站"), this, &FormCommonIcon::OpenRecycle);
        main->addAction(tr("清空回收站"), this, &FormCommonIcon::ClearRecycle);
        main->addSeparator();
        setMenu->addAction(tr("设置回收站图标（空）"), this, &FormCommonIcon::RecycleIconAir);
        setMenu->addAction(tr("设置回收站图标（满）"), this, &FormCommonIcon::RecycleIconfull);
        main->addMenu(setMenu);
        standardAdd();
        deleteEntry(tr("删除图标          "));
    } else if (isClass("DISK")) {
        open();
        main->addAction(tr("盘符设置"), this, &FormCommonIcon::IconSetDisk);
        standardAdd();
        main->addSeparator();
        deleteEntry(tr("删除图标       "));
    } else if (isClass("UDISK")) {
        open();
    } else if (isClass("MENU")) {
        open();
        main->addAction(tr("图标设置"), this, &FormCommonIcon::IconSet);
        main->addSeparator();
        desktopTools();
        addMenu->addAction(tr("菜单中添加应用图标"), this, &FormCommonIcon::menuAddIcon);
        addMenu->addAction(tr("菜单中添加网址"), this, &FormCommonIcon::menuAddUrlIco);
        addMenu->addAction(tr("菜单中添加系统图标"), this, &FormCommonIcon::menuAddSystemIcon);
        addMenu->addAction(tr("菜单中添加文件夹"), this, &FormCommonIcon::menuAddFolder);
        main->addMenu(addMenu);
        deleteEntry(tr("删除扩展菜单       "));
    } else if (isClass("WEATHER")) {
        open();
        main->addAction(tr("图标背景设置"), this, &FormCommonIcon::IconSet);
        main->addSeparator();
        desktopTools();
        standardAdd();
        deleteEntry(tr("删除图标"));
    } else if (isClass("TIME1") || isClass("TIME2")) {
        open();
        main->addSeparator();
        desktopTools();
        standardAdd();
        deleteEntry(tr("删除图标"));
    } else if (isClass("BLANK")) {
        desktopTools();
        standardAdd();
        deleteEntry(tr("删除图标"));
    } else {
        open();
        main->addAction(tr("图标设置"), this, &FormCommonIcon::IconSet);
        main->addSeparator();
        desktopTools();
        standardAdd();
        deleteEntry(tr("删除图标"));
    }
    main->addSeparator();
    tail();
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
