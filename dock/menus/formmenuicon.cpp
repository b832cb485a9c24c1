#include "dock/menus/formmenuicon.h"
#include "ui_formmenuicon.h"

#include "common/logging.h"
#include "dock/icons/formcommonicon.h"
#include "dock/icons/formdisk.h"
#include "dock/icons/formname.h"
#include "dock/icons/formrecycle.h"
#include "dock/icons/iconpictures.h"
#include "dock/icons/longpress.h"
#include "dock/icons/pictureface.h"
#include "dock/model/iconclasses.h"

#include <QCursor>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QPropertyAnimation>

namespace {

QPoint rounded(const QMouseEvent *e)
{
    return QPoint(qRound(e->localPos().x()), qRound(e->localPos().y()));
}

const char *const kViewSheet =
    "QGraphicsView{border:0px;border-radius:0px;border-image: url();background-image: url();"
    "background-color: rgba(0, 0, 0, 0);padding:0px;}";

} // namespace

FormMenuIcon::FormMenuIcon(QWidget *parent) : QWidget(parent), ui(new Ui::FormMenuIcon)
{
    ui->setupUi(this);
    setAttribute(Qt::WA_TranslucentBackground);
    // Names come from files and desktop entries: text, never HTML.
    ui->name->setTextFormat(Qt::PlainText);
    ui->name->hide();
    m_bubble = new FormName(nullptr);
    m_press = new LongPress(this);
    connect(m_press, &LongPress::ended, this, &FormMenuIcon::pressEnded);
}

FormMenuIcon::~FormMenuIcon()
{
    // A bubble not yet in a scene has no owner; the ring is a window of its own.
    if (!m_scene)
        delete m_bubble;
    delete ui;
}

QWidget *FormMenuIcon::pictureFrame() const { return ui->frameIcon; }
QWidget *FormMenuIcon::pictureLabel() const { return m_picture; }

QRegion FormMenuIcon::drawnRegion() const
{
    QRegion r(QRect(ui->frameIcon->mapTo(this, QPoint(0, 0)), ui->frameIcon->size()));
    if (m_view && !m_view->isHidden()) {
        if (QGraphicsProxyWidget *pill = m_bubble->graphicsProxyWidget()) {
            // The name turns with the bar: where the view shows it.
            const QRect shown = m_view->mapFromScene(pill->sceneBoundingRect()).boundingRect() & m_view->rect();
            r += shown.translated(m_view->mapTo(this, QPoint(0, 0)));
        }
    }
    return r & rect();
}

void FormMenuIcon::setNameRoom(int px)
{
    if (px == m_nameRoom)
        return;
    m_nameRoom = px;
    if (m_scene)
        m_bubble->setMenuText(m_name, px);
}

// ---------------------------------------------------------------- data and layout

void FormMenuIcon::dropView()
{
    // The scene owns the bubble: a new view needs a new bubble.
    if (!m_scene)
        return;
    delete m_view;
    delete m_scene;
    m_view = nullptr;
    m_scene = nullptr;
    m_bubble = new FormName(nullptr);
}

void FormMenuIcon::setData(const QString &ID, const QString &ico, const QString &name, const QString &cl)
{
    m_id = ID;
    m_icon = ico;
    m_name = name;
    m_class = cl;
    qCDebug(lcMenus) << cl;

    ui->name->setText(tr("%1").arg(name));
    ui->name->adjustSize();
    ui->name->resize(ui->name->width() + 10, ui->name->height() + 2);

    dropView();
    m_rotation = 0;
    m_bubble->setMenuText(name, m_nameRoom);
    m_scene = new QGraphicsScene(this);
    m_scene->addWidget(m_bubble);
    m_view = new QGraphicsView(ui->frame);
    m_view->setScene(m_scene);
    m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view->setCacheMode(QGraphicsView::CacheNone);
    m_view->setRenderHint(QPainter::Antialiasing);
    m_view->setStyleSheet(QLatin1String(kViewSheet));
    // The name is only shown: the icon under it takes the pointer.
    m_view->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_view->show();

    // One face widget, of the class's kind; a new row replaces it.
    const QSize size = m_picture ? m_picture->size() : QSize(60, 60);
    delete m_picture;
    m_picture = nullptr;
    m_recycle = nullptr;
    m_disk = nullptr;
    const IconFace face = IconClasses::of(m_class).face;
    if (face == IconFace::RecycleBin) {
        m_picture = m_recycle = new FormRecycle(ui->frameIcon);
        m_recycle->setIcons(m_icon);
    } else if (face == IconFace::Drive) {
        m_picture = m_disk = new FormDisk(ui->frameIcon);
    } else if (face == IconFace::WebSite && m_icon == IconPictures::UrlTile) {
        auto *tile = new UrlTileFace(nullptr);
        tile->setIconMargin(0); // the letter is half the picture's width here
        tile->setName(name);
        m_picture = new FaceWidget(tile, ui->frameIcon);
    } else {
        // A menu shows every picture still, a GIF too.
        m_picture = new FaceWidget(new PictureFace(m_icon, nullptr), ui->frameIcon);
    }
    m_picture->setObjectName(QStringLiteral("Icon"));
    m_picture->setAttribute(Qt::WA_MouseTracking);
    m_picture->setGeometry(QRect(QPoint(0, 0), size));
    m_picture->show();
}

void FormMenuIcon::setIconSize(int w, int h)
{
    ui->frameIcon->resize(w, h);
    if (m_picture)
        m_picture->resize(w, h);

    const int B = m_bubble->width();
    if (m_orientation == 1 || m_orientation == 3) {
        resize(w + 5, B + h + 10);
        if (m_view) {
            m_view->resize(w, B);
            m_view->move(0, 5);
        }
        ui->frameIcon->move((width() - w) / 2, height() - h);
        nameRotate(m_orientation == 1 ? -90 : 90);
    } else {
        resize(B + w + 10, h + 5);
        if (m_view) {
            m_view->resize(B, h);
            m_view->move(5, 0);
        }
        ui->frameIcon->move(width() - w, (height() - h) / 2);
        nameRotate(0);
    }
}

void FormMenuIcon::nameRotate(int v)
{
    if (m_view) {
        m_view->rotate(-m_rotation);
        m_view->rotate(v);
    }
    m_rotation = v;
}

void FormMenuIcon::setDisk(const QString &drive)
{
    if (m_disk)
        m_disk->setDisk(drive);
}

void FormMenuIcon::place(int cross, int stripWidth, int stripHeight)
{
    const int i = m_index;
    const int W = width(), H = height();
    switch (m_orientation) {
    case 0:
        m_shown = QPoint(cross, stripHeight - (i + 1) * H);
        m_hidden = QPoint(m_shown.x(), -H);
        break;
    case 1:
        m_shown = QPoint(i * W, cross);
        m_hidden = QPoint(stripWidth, m_shown.y());
        break;
    case 3:
        m_shown = QPoint(stripWidth - (i + 1) * W, cross);
        m_hidden = QPoint(-W, m_shown.y());
        break;
    default:
        m_shown = QPoint(cross, i * H);
        m_hidden = QPoint(m_shown.x(), stripHeight);
        break;
    }
    move(m_shown);
}

// ---------------------------------------------------------------- slides

void FormMenuIcon::moveAnimated(int x, int y)
{
    auto *a = new QPropertyAnimation(this, "pos", this);
    a->setDuration(GlideMs);
    a->setStartValue(pos());
    a->setEndValue(QPoint(x, y));
    a->setEasingCurve(QEasingCurve::Linear);
    a->start(QAbstractAnimation::DeleteWhenStopped);
}

void FormMenuIcon::showAnimated()
{
    auto *a = new QPropertyAnimation(this, "pos", this);
    a->setDuration(SlideMs);
    a->setKeyValueAt(0, m_hidden);
    a->setEndValue(m_shown);
    a->setEasingCurve(QEasingCurve::Linear);
    a->start(QAbstractAnimation::DeleteWhenStopped);
}

void FormMenuIcon::hideAnimated()
{
    auto *a = new QPropertyAnimation(this, "pos", this);
    a->setDuration(SlideMs);
    a->setKeyValueAt(0, m_shown);
    a->setEndValue(m_hidden);
    a->setEasingCurve(QEasingCurve::Linear);
    connect(a, &QPropertyAnimation::finished, this, &FormMenuIcon::myOutEnd);
    a->start(QAbstractAnimation::DeleteWhenStopped);
}

void FormMenuIcon::myOutEnd()
{
    if (IconClasses::of(m_class).is(IconRule::MenuBack))
        emit backOutEnd();
}

// ---------------------------------------------------------------- pointer

bool FormMenuIcon::isDragging() const { return m_press->isLoose(); }

void FormMenuIcon::mousePressEvent(QMouseEvent *e)
{
    if (isClass(IconClass::Temporary))
        return;
    // A second button while one is down ends the press; none of it counts.
    if (!m_press->isIdle() || m_press->isSpent() || (e->buttons() & ~e->button())) {
        if (!m_press->isIdle())
            m_press->end(LongPress::Exit::OtherButton, e->buttons());
        else
            m_press->spend(e->buttons());
        return;
    }
    if (e->button() == Qt::LeftButton)
        m_press->press();
}

void FormMenuIcon::mouseMoveEvent(QMouseEvent *e)
{
    if (isClass(IconClass::Temporary))
        return;
    if (m_press->isSpent())
        m_press->settle(e->buttons());
    if (!m_press->stillHeld(e->buttons()) || !m_press->isLoose()
        || IconClasses::of(m_class).is(IconRule::MenuBack))
        return;
    m_press->startDragging();
    QPointer<FormMenuIcon> self(this);
    emit IconPressMove(m_id, rounded(e));
    if (self && m_press->isLoose())
        setCursor(Qt::ClosedHandCursor);
}

void FormMenuIcon::mouseReleaseEvent(QMouseEvent *e)
{
    if (isClass(IconClass::Temporary))
        return;
    if (m_press->isSpent()) {
        m_press->settle(e->buttons());
        return;
    }
    if (e->button() == Qt::LeftButton) {
        m_releasePos = rounded(e);
        // A release with no press seen (the second of a double click) is a click.
        if (m_press->isIdle())
            pressEnded(LongPress::State::Pressed, LongPress::Exit::Release);
        else
            m_press->end(LongPress::Exit::Release, e->buttons());
    } else if (!m_press->isIdle()) {
        m_press->end(LongPress::Exit::OtherButton, e->buttons());
    } else if (e->button() == Qt::RightButton) {
        runContextMenu();
    }
}

// Every way out of a left press ends here.
void FormMenuIcon::pressEnded(LongPress::State from, LongPress::Exit how)
{
    const bool loose = from != LongPress::State::Pressed;
    if (how != LongPress::Exit::Release) {
        if (loose)
            emit IconPressCancel(m_id);
        return;
    }
    // The menu may rebuild its icons in answer to either signal.
    if (loose)
        emit IconPressRelease(m_id, m_releasePos);
    else if (!m_doubleClick || IconClasses::of(m_class).opening(IconPlace::Menu) == IconOpening::CloseMenu)
        emit IconOpen(m_id);
}

void FormMenuIcon::mouseDoubleClickEvent(QMouseEvent *)
{
    if (isClass(IconClass::Temporary))
        return;
    qCDebug(lcMenus) << "双击";
    if (m_doubleClick)
        emit IconOpen(m_id);
}

void FormMenuIcon::ClearRecycle()
{
    FormRecycle::clearRecycleBin();
}

// ---------------------------------------------------------------- context menu

void FormMenuIcon::fillContextMenu(QMenu *main, QMenu *addMenu)
{
    addMenu->setTitle(tr("添加图标"));
    for (const IconMenuEntry entry : IconClasses::of(m_class).menuMenu) {
        switch (entry) {
        case IconMenuEntry::Open: main->addAction(tr("打开"), this, &FormMenuIcon::OpenIcon); break;
        case IconMenuEntry::OpenBin: main->addAction(tr("打开回收站"), this, &FormMenuIcon::OpenRecycle); break;
        case IconMenuEntry::ClearBin: main->addAction(tr("清空回收站"), this, &FormMenuIcon::ClearRecycle); break;
        case IconMenuEntry::Separator: main->addSeparator(); break;
        case IconMenuEntry::IconSettings:
        case IconMenuEntry::BackgroundSettings:
            main->addAction(tr("图标设置"), this, &FormMenuIcon::IconSet);
            break;
        case IconMenuEntry::DriveSettings: main->addAction(tr("盘符设置"), this, &FormMenuIcon::IconSetDisk); break;
        case IconMenuEntry::AddToMenu:
            addMenu->addAction(tr("菜单中添加应用图标"), this, &FormMenuIcon::AddIcon);
            addMenu->addAction(tr("菜单中添加网址"), this, &FormMenuIcon::AddUrlIco);
            addMenu->addAction(tr("菜单中添加系统图标"), this, &FormMenuIcon::AddSystemIcon);
            addMenu->addAction(tr("菜单中添加文件夹"), this, &FormMenuIcon::AddFolder);
            main->addMenu(addMenu);
            break;
        case IconMenuEntry::Delete:
        case IconMenuEntry::DeleteMenu:
            main->addAction(tr("删除图标           "), this, &FormMenuIcon::DeleteIcon);
            break;
        case IconMenuEntry::DeleteBin:
            main->addAction(tr("删除图标          "), this, &FormMenuIcon::DeleteIcon);
            break;
        case IconMenuEntry::DeleteDrive:
            main->addAction(tr("删除图标       "), this, &FormMenuIcon::DeleteIcon);
            break;
        case IconMenuEntry::BinPictures:
        case IconMenuEntry::DesktopTools:
        case IconMenuEntry::AddIcons:
            break; // the bar's own commands
        }
    }
}

void FormMenuIcon::runContextMenu()
{
    // Without parents: an entry may make the menu rebuild its icons, this
    // one with them, while the context menu still runs.
    QMenu addMenu;
    QMenu main;
    for (QMenu *m : { &addMenu, &main }) {
        m->setWindowFlags(Qt::Popup | Qt::FramelessWindowHint);
        m->setAttribute(Qt::WA_TranslucentBackground);
        m->setStyleSheet(FormCommonIcon::menuStyleSheet());
    }
    fillContextMenu(&main, &addMenu);
    main.exec(QCursor::pos());
}
