#include "dock/menus/formmenu.h"
#include "ui_formmenu.h"

#include "common/logging.h"
#include "dock/editing/formiconsettings.h"
#include "dock/icons/formcommonicon.h"
#include "dock/icons/formselectdisk.h"
#include "dock/menus/formmenuicon.h"
#include "dock/model/dockfile.h"
#include "dock/model/dockiconlist.h"
#include "dock/toast/desktoptools.h"
#include "dock/toast/formsystemhint.h"
#include "common/safefile.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/windowsystem.h"
#include "platform/opener.h"
#include "platform/paths.h"

#include <QCursor>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <QUrl>

#include <algorithm>

namespace {

const int StripLength = 500;

} // namespace

FormMenu::FormMenu(QWidget *parent) : QWidget(parent), ui(new Ui::FormMenu)
{
    ui->setupUi(this);
    MenuIcoData = new DockIconList(this);
    MenuIcoData->setRows({ backRow() });

    m_ghost = new FormCommonIcon(nullptr);
    m_ghost->setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
                            | Qt::WindowTransparentForInput);
    m_ghost->setAttribute(Qt::WA_TranslucentBackground);
    platform::setWindowRole(m_ghost, platform::WindowRole::DragIcon);
    platform::WindowSystemService::get().setLevel(m_ghost, platform::WindowSystem::Above);

    // The dialogs stand over the window the menu lies in, the dock window:
    // below it they would lie under the menu, which takes their clicks.
    m_selectDisk = new FormSelectDisk(nullptr);
    platform::setWindowRole(m_selectDisk, platform::WindowRole::Dialog);
    platform::placeOver(m_selectDisk, this, platform::Placing::OwnersScreen);
    connect(m_selectDisk, &FormSelectDisk::setIconDisk, this, &FormMenu::setIconDisk);
    m_iconSettings = new FormIconSettings(nullptr);
    platform::setWindowRole(m_iconSettings, platform::WindowRole::Dialog);
    platform::placeOver(m_iconSettings, this, platform::Placing::OwnersScreen);
    connect(m_iconSettings, &FormIconSettings::Modify, this, &FormMenu::Modify);
    m_toast = new FormSystemHint(nullptr);
}

FormMenu::~FormMenu()
{
    // A drag still on ends with the menu: nothing is put back into a menu
    // that goes, whatever its icons, going with it, still report.
    disconnect(m_dragIconGone);
    m_dragState = DragState::Idle;
    // The windows without a parent go with their menu.
    delete m_ghost;
    delete m_selectDisk;
    delete m_iconSettings;
    delete m_toast;
    delete ui;
}

QString FormMenu::menuFilePath(const QString &menuId)
{
    return IconIds::menuFilePath(menuId);
}

DockIconRecord FormMenu::backRow()
{
    const QString back = QStringLiteral(":/image/icon/back.png");
    return { QStringLiteral("ico000000"), back, tr("返回"), IconClass::BACK, IconClass::BACK, back };
}

int FormMenu::findRow(const QString &id) const
{
    return MenuIcoData->indexOfId(id);
}

QList<DockIconRecord> FormMenu::rows() const
{
    return MenuIcoData->rows();
}

void FormMenu::showToast(const QString &text)
{
    m_toast->ShowMessage(text);
    m_toast->show();
}

QRect FormMenu::screenRect() const
{
    return QRect(mapToGlobal(QPoint(0, 0)), size());
}

QRegion FormMenu::drawnRegion() const
{
    QRegion r;
    for (const FormMenuIcon *icon : m_icons) {
        if (!icon->isHidden())
            r += icon->drawnRegion().translated(icon->pos());
    }
    return r & rect();
}

// What a name may take of the room: the room less the picture and the
// pill's ends.
int FormMenu::nameRoom() const
{
    return m_room < 0 ? -1 : qMax(1, m_room - m_iconWidth - 10 - 26);
}

void FormMenu::setRoom(int px)
{
    if (px == m_room)
        return;
    m_room = px;
    const int name = nameRoom();
    bool changed = false;
    for (FormMenuIcon *icon : qAsConst(m_icons)) {
        changed = changed || icon->nameRoom() != name;
        icon->setNameRoom(name);
    }
    if (changed && !isDragging())
        layoutIcons(m_iconWidth, m_iconHeight);
}

// ---------------------------------------------------------------- set-up and file

void FormMenu::setMenu(const QString &ID, int x, int y)
{
    m_menuId = ID;
    m_dockX = x;
    m_dockY = y;
    if (menuFile().isEmpty())
        qCDebug(lcMenus) << "menu ID not usable as a file name:" << ID;
    else if (QFile::exists(menuFile()))
        OpenFile();
    else
        SaveFile();
    createIcon();
    createClassIco();
    fitSize();
}

void FormMenu::OpenFile()
{
    clearIcoData();
    const QString path = menuFile();
    if (path.isEmpty())
        return;
    // A file that does not parse is kept aside by the reader and reads as
    // empty; the menu then starts again from its BACK row.
    QList<DockIconRecord> rows;
    DockFile::read(path, &rows);
    const int back = int(std::find_if(rows.begin(), rows.end(), [](const DockIconRecord &r) {
                             return IconClasses::of(r.Class).is(IconRule::MenuBack);
                         }) - rows.begin());
    const bool found = back < rows.size();
    bool changed = !found || back != 0;
    if (!found)
        rows.prepend(backRow());
    else if (back > 0)
        rows.move(back, 0);
    if (rows.size() > MaxIcons + 1) {
        // The rest stays in the copy kept aside; a file that cannot be kept
        // is not saved over in this run.
        SafeFile::keepBad(path, SafeFile::Why::Cut);
        rows.erase(rows.begin() + MaxIcons + 1, rows.end());
        changed = true;
    }
    MenuIcoData->setRows(rows);
    if (changed)
        SaveFile();
}

void FormMenu::SaveFile()
{
    const QString path = menuFile();
    if (path.isEmpty())
        return;
    // A row lifted by a drag is still the user's: it is stored in its place.
    QList<DockIconRecord> rows = MenuIcoData->rows();
    if (carrying() && findRow(m_drag.IconID) < 0)
        rows.insert(qBound(firstFreeSlot(), m_dragFrom, rows.size()), m_drag);
    DockFile::write(path, rows);
}

void FormMenu::clearIcoData()
{
    MenuIcoData->clear();
}

// ---------------------------------------------------------------- icon widgets

void FormMenu::createIcon()
{
    for (const DockIconRecord &row : MenuIcoData->rows()) {
        FormMenuIcon *icon = m_icons.value(row.IconID);
        const bool fresh = !icon;
        if (fresh) {
            icon = new FormMenuIcon(this);
            m_icons.insert(row.IconID, icon);
            connect(icon, &FormMenuIcon::IconPressMove, this, &FormMenu::IconPressMove);
            connect(icon, &FormMenuIcon::IconPressRelease, this, &FormMenu::IconPressRelease);
            connect(icon, &FormMenuIcon::IconPressCancel, this, &FormMenu::cancelDrag);
            connect(icon, &FormMenuIcon::IconOpen, this, &FormMenu::IconOpen);
            connect(icon, &FormMenuIcon::IconMenu, this, &FormMenu::IconMenu);
            connect(icon, &FormMenuIcon::backOutEnd, this, &FormMenu::backOutEnd);
            icon->setNameRoom(nameRoom());
        }
        icon->setOrientation(m_edge);
        icon->setDoubleClick(m_doubleClick);
        if (fresh || icon->icon() != row.Icon || icon->name() != row.Name || icon->iconClass() != row.Class)
            icon->setData(row.IconID, row.Icon, row.Name, row.Class);
        icon->show();
    }
}

void FormMenu::createClassIco()
{
    for (const DockIconRecord &row : MenuIcoData->rows()) {
        if (IconClasses::of(row.Class).face != IconFace::Drive)
            continue;
        if (FormMenuIcon *icon = m_icons.value(row.IconID))
            icon->setDisk(row.Path);
    }
}

void FormMenu::clearIcon()
{
    // Every widget goes, also that of a row dragged out of the table.
    for (FormMenuIcon *icon : qAsConst(m_icons)) {
        icon->hide();
        icon->deleteLater();
    }
    m_icons.clear();
}

void FormMenu::rebuildIcons()
{
    clearIcon();
    createIcon();
    createClassIco();
    layoutIcons(m_iconWidth, m_iconHeight);
}

void FormMenu::RefreshMenu()
{
    rebuildIcons();
    fitSize();
}

// ---------------------------------------------------------------- geometry

void FormMenu::fitSize()
{
    const int n = MenuIcoData->size();
    // A long name widens the strip, as far as the room beside the menu's
    // icon goes; the names are cut short to fit it.
    int widest = 0;
    for (const DockIconRecord &row : MenuIcoData->rows()) {
        if (FormMenuIcon *icon = m_icons.value(row.IconID))
            widest = qMax(widest, horizontal() ? icon->width() : icon->height());
    }
    int across = qMax(StripLength, widest);
    if (m_room > 0)
        across = qMin(across, qMax(m_room, widest));
    if (horizontal())
        resize(across, n * (m_iconHeight + 5));
    else
        resize(n * (m_iconHeight + 5), across);
}

void FormMenu::layoutIcons(int w, int h)
{
    m_iconWidth = w;
    m_iconHeight = h;
    for (int i = 0; i < MenuIcoData->size(); ++i) {
        if (FormMenuIcon *icon = m_icons.value(MenuIcoData->at(i).IconID)) {
            icon->setIconSize(w, h);
            icon->setIndex(i);
        }
    }
    fitSize();
    for (int i = 0; i < MenuIcoData->size(); ++i) {
        if (FormMenuIcon *icon = m_icons.value(MenuIcoData->at(i).IconID)) {
            const int cross = horizontal() ? width() - icon->width() : height() - icon->height();
            icon->place(cross, width(), height());
        }
    }
}

void FormMenu::setIconSize(int w, int h)
{
    m_iconWidth = w;
    m_iconHeight = h;
    RefreshMenu();
}

void FormMenu::setDoubleClick(bool b)
{
    m_doubleClick = b;
    for (FormMenuIcon *icon : qAsConst(m_icons))
        icon->setDoubleClick(b);
}

void FormMenu::setPosition(int edge)
{
    if (edge == m_edge)
        return;
    m_edge = edge;
    for (FormMenuIcon *icon : qAsConst(m_icons))
        icon->setOrientation(edge);
    layoutIcons(m_iconWidth, m_iconHeight);
}

// ---------------------------------------------------------------- sliding

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
    for (const DockIconRecord &row : MenuIcoData->rows()) {
        if (FormMenuIcon *icon = m_icons.value(row.IconID))
            icon->showAnimated();
    }
    m_shown = true;
    emit setIcoBShow(true);
}

void FormMenu::hideAnimated()
{
    // Closed under a drag: the icon goes home first.
    cancelDrag();
    if (!m_shown)
        return;
    bool backSlides = false;
    for (const DockIconRecord &row : MenuIcoData->rows()) {
        if (FormMenuIcon *icon = m_icons.value(row.IconID)) {
            icon->hideAnimated();
            backSlides = backSlides || IconClasses::of(row.Class).is(IconRule::MenuBack);
        }
    }
    m_shown = false;
    emit setIcoBShow(false);
    // The slide-out of the BACK icon ends the hide; a menu without one would
    // otherwise stay up as an empty strip.
    if (!backSlides)
        QTimer::singleShot(FormMenuIcon::SlideMs, this, &FormMenu::backOutEnd);
}

void FormMenu::backOutEnd()
{
    // Opened again while its icons slid out: it stays.
    if (!m_shown)
        hide();
}

// ---------------------------------------------------------------- opening

void FormMenu::IconOpen(QString ID)
{
    const int r = findRow(ID);
    if (r < 0)
        return;
    const QString cl = MenuIcoData->at(r).Class;
    const QString path = MenuIcoData->at(r).Path;
    platform::Opener &opener = platform::OpenerService::get();
    const IconClassInfo &c = IconClasses::of(cl);

    switch (c.opening(IconPlace::Menu)) {
    case IconOpening::CloseMenu:
    case IconOpening::Nothing:
        break; // only the slide-out below
    case IconOpening::Drive:
        if (path == QLatin1String("0")) {
            m_selectDisk->setIconData(ID, path);
            m_selectDisk->show();
        } else {
            const QUrl url = QUrl::fromLocalFile(path);
            qCDebug(lcMenus) << ID << url;
            opener.openUrl(url);
        }
        break;
    case IconOpening::Tool:
        // The dock runs its own tools; a desktop program the menu starts itself.
        if (c.menuCode != MenuOpenCode::None)
            emit menuOpenIco(ID, c.menuCode);
        else if (c.tool == DockTool::Calculator)
            DesktopTools::start(platform::Opener::Calculator, [this](const QString &t) { showToast(t); });
        break;
    case IconOpening::WebAddress:
        qCDebug(lcMenus) << "打开" << path;
        opener.openUrl(QUrl(path, QUrl::TolerantMode));
        break;
    case IconOpening::Path:
        DllIconOpen(path);
        return; // it slides the menu away itself
    }
    hideAnimated();
}

void FormMenu::DllIconOpen(QString filePath)
{
    if (!DesktopTools::openPath(filePath, [this](const QString &t) { showToast(t); }))
        qCDebug(lcMenus) << "could not open" << filePath;
    hideAnimated();
}

// ---------------------------------------------------------------- editing

void FormMenu::IconMenu(QString ID, int x)
{
    switch (x) {
    case MenuIconMenuCode::IconSet: {
        const int r = findRow(ID);
        if (r < 0)
            return;
        const DockIconRecord &row = MenuIcoData->at(r);
        m_iconSettings->setIconData(ID, row.Icon, row.Name, row.Note, row.Path, row.Class, 0);
        m_iconSettings->show();
        return;
    }
    case MenuIconMenuCode::AddIcon: emit menuAddIco(m_menuId); return;
    case MenuIconMenuCode::AddSystemIcon: emit menuAddSystemIco(m_menuId); return;
    case MenuIconMenuCode::DeleteIcon: DeleteIcon(ID); return;
    case MenuIconMenuCode::AddUrlIco: emit menuAddUrlIco(m_menuId); return;
    case MenuIconMenuCode::IconSetDisk: {
        const int r = findRow(ID);
        if (r < 0)
            return;
        m_selectDisk->setIconData(ID, MenuIcoData->at(r).Path);
        m_selectDisk->show();
        return;
    }
    case MenuIconMenuCode::AddFolder: emit menuAddFolder(m_menuId); return;
    default: return;
    }
}

void FormMenu::Modify(QString icoID, QString ico, QString name, QString)
{
    const int r = findRow(icoID);
    if (r < 0)
        return;
    // The note keeps the picture the icon was made with.
    MenuIcoData->setCell(r, DockIconRecord::IconField, ico);
    MenuIcoData->setCell(r, DockIconRecord::NameField, name);
    SaveFile();
    RefreshMenu();
    showToast(tr("图标修改成功！"));
}

void FormMenu::DeleteIcon(QString ID)
{
    const int r = findRow(ID);
    // The BACK icon is what closes the menu: it stays.
    if (r < 0 || IconClasses::of(MenuIcoData->at(r).Class).is(IconRule::MenuBack))
        return;
    MenuIcoData->removeAt(r);
    if (FormMenuIcon *icon = m_icons.take(ID)) {
        icon->hide();
        icon->deleteLater();
    }
    rebuildIcons();
    emit menuIcoMove(m_menuId);
    SaveFile();
    hideAnimated();
    showToast(tr("图标删除成功！"));
}

QString FormMenu::freeIconId() const
{
    return IconIds::freeId([this](const QString &id) { return findRow(id) >= 0; });
}

bool FormMenu::AddIcon(QString ico, QString name, QString cl, QString path)
{
    qCDebug(lcMenus) << cl;
    bool stored = false;
    QString id;
    if (MenuIcoData->size() > MaxIcons) {
        showToast(tr("菜单已满！"));
        hideAnimated();
        return false;
    }
    if (QFileInfo(ico).isFile() && !path.isEmpty() && !menuFile().isEmpty()) {
        qCDebug(lcMenus) << "添加图标";
        id = freeIconId();
        MenuIcoData->append({ id, ico, name, cl, path, ico });
        stored = DockFile::save(menuFile(), *MenuIcoData);
        if (!stored)
            MenuIcoData->removeAt(MenuIcoData->size() - 1); // the caller keeps the icon
    }
    if (stored) {
        rebuildIcons();
        emit menuIcoMove(m_menuId);
        if (IconClasses::of(cl).opening(IconPlace::Menu) == IconOpening::Drive && path == QLatin1String("0")) {
            m_selectDisk->setIconData(id, path);
            m_selectDisk->show();
        }
    }
    hideAnimated();
    if (stored)
        showToast(tr("图标添加成功！"));
    qCDebug(lcMenus) << "添加图标完毕!";
    return stored;
}

void FormMenu::setIconDisk(QString icoID, QString d)
{
    const int r = findRow(icoID);
    if (r < 0)
        return;
    MenuIcoData->setCell(r, DockIconRecord::NameField, tr("系统盘符"));
    MenuIcoData->setCell(r, DockIconRecord::PathField, d);
    if (FormMenuIcon *icon = m_icons.value(icoID))
        icon->setDisk(d);
    SaveFile();
    qCDebug(lcMenus) << "盘符设置成功！" << d;
    showToast(tr("盘符设置成功！"));
}
