#include "widget_p.h"
#include "dockdrag.h"
#include "dockmenus.h"
#include "dock/editing/programicon.h"

#include "common/safefile.h"
#include "platform/dialogs.h"
#include "platform/fileicons.h"
#include "platform/programfiles.h"

#include <QBuffer>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString DockTarget = QStringLiteral("0");

// Classes an icon menu does not take.
bool refusedInMenu(const QString &cl)
{
    for (const QString &c : { IconClass::MENU, IconClass::RECYCLE, IconClass::WEATHER, IconClass::TIME1,
                              IconClass::TIME2, IconClass::LAUNCHPAD, IconClass::STARTMENU }) {
        if (cl == c)
            return true;
    }
    return false;
}

// Classes the bar holds once.
bool onceInDock(const QString &cl)
{
    return cl == IconClass::WEATHER || cl == IconClass::LAUNCHPAD || cl == IconClass::STARTMENU;
}

} // namespace

// ---- helpers --------------------------------------------------------------

void Widget::showToast(const QString &text)
{
    m_toast->ShowMessage(text);
    m_toast->show();
}

QString Widget::freeIconId() const
{
    return IconIds::freeId([this](const QString &id) { return IcoData->anyCellEquals(id); });
}

void Widget::insertIconRow(int row, const DockIconRecord &rec)
{
    IcoData->insert(row, rec);
}

// ---- adding icons ---------------------------------------------------------

void Widget::AddIcon(QString ico, QString name, QString cl, QString path)
{
    const QString id = freeIconId();
    const DockIconRecord rec { id, ico, name, cl, path, ico };
    const bool mayAdd = !path.isEmpty();
    bool added = false;

    const DockDrag::PendingDrop drop = m_drag->takePendingDrop();
    if (drop.pending) {
        // A drop aimed at a slot: onto a menu or the launch pad the item goes
        // in there, anywhere else it lands in the gap. A drop aimed between
        // two icons lands there even when a menu or the launch pad follows.
        const bool between = drop.between;
        const int rows = IcoData->rowCount();
        const int slot = qBound(0, drop.slot, rows);
        const DockIconRecord at = slot < rows ? IcoData->record(slot) : DockIconRecord();
        if (!between && at.Class == IconClass::MENU) {
            m_drag->ghost()->closeAnimation();
            AddIcon2(ico, name, cl, path, at.IconID);
        } else if (!between && at.Class == IconClass::LAUNCHPAD) {
            m_drag->ghost()->closeAnimation();
            AddIcon3(ico, name, cl, path, DockTarget);
        } else if (mayAdd) {
            insertIconRow(slot, rec);
            showToast(tr("图标添加成功！"));
            added = true;
        }
    } else if (mayAdd) {
        insertIconRow(IcoData->rowCount(), rec);
        if (!IconClass::isTransient(cl))
            showToast(tr("图标添加成功！"));
        added = true;
    }

    rebuildBar();
    if (m_bar->contains(id))
        m_bar->showAnimation(id);
    // Only an icon that is really on the bar can take the chosen drive.
    if (added && cl == IconClass::DISK && path == DockTarget) {
        driveChooser()->setIconData(id, DockTarget);
        driveChooser()->show();
    }
    if (!IconClass::isTransient(cl))
        SaveFile();
    qDebug() << "添加图标完毕!";
}

void Widget::AddIcon2(QString ico, QString name, QString cl, QString path, QString ID)
{
    qDebug() << "添加图标" << ID;
    if (ID != DockTarget) {
        if (refusedInMenu(cl)) {
            showToast(tr("菜单中不能添加此图标！"));
            return;
        }
        if (FormMenu *menu = m_menus->menu(ID))
            menu->AddIcon(ico, name, cl, path);
        return;
    }
    if (onceInDock(cl) && IcoData->anyCellEquals(cl)) {
        showToast(tr("此图标已经存在！"));
        return;
    }
    AddIcon(ico, name, cl, path);
}

QPixmap Widget::getJumbIcon(QString filePath)
{
    return platform::FileIconsService::get().largeIcon(filePath, 256);
}

void Widget::getIconNew(QString filePath, QString ID)
{
    const ProgramIcon::Row row = ProgramIcon::fromFile(filePath, getJumbIcon(filePath));
    if (!row.refusal.isEmpty()) {
        showToast(row.refusal);
        return;
    }
    if (ID == DockTarget)
        AddIcon(row.icon, row.name, IconClass::ICON, row.path);
    else if (FormMenu *menu = m_menus->menu(ID))
        menu->AddIcon(row.icon, row.name, IconClass::ICON, row.path);
}

namespace {
QStringList chooseProgramFiles()
{
    // Programs here often have no suffix at all, hence the second filter.
    return platform::DialogsService::get().openFileNames(
        nullptr, Widget::tr("选择文件"), QStandardPaths::writableLocation(QStandardPaths::DesktopLocation),
        Widget::tr("files(*.exe *.lnk *.desktop *.sh)") + QStringLiteral(";;") + Widget::tr("files(*)"));
}
} // namespace

void Widget::AddIco()
{
    for (const QString &file : chooseProgramFiles()) {
        qDebug() << "后缀：" << QFileInfo(file).suffix();
        getIconNew(file, DockTarget);
    }
}

void Widget::menuAddIco(QString ID)
{
    for (const QString &file : chooseProgramFiles()) {
        qDebug() << "后缀：" << QFileInfo(file).suffix();
        getIconNew(file, ID);
    }
}

void Widget::AddFolder()
{
    const QString dir = platform::DialogsService::get().existingFolder(this, tr("选择文件夹"), QDir::currentPath());
    if (dir.isEmpty())
        return;
    AddIcon(QStringLiteral(":/image/icon/Folder.png"), QFileInfo(dir).fileName(), IconClass::FOLDER, dir);
}

void Widget::menuAddFolder(QString ID)
{
    const QString dir = platform::DialogsService::get().existingFolder(this, tr("选择文件夹"), QDir::currentPath());
    if (dir.isEmpty())
        return;
    if (FormMenu *menu = m_menus->menu(ID))
        menu->AddIcon(QStringLiteral(":/image/icon/Folder.png"), QFileInfo(dir).fileName(), IconClass::FOLDER, dir);
}

void Widget::AddMenu()
{
    AddIcon(QStringLiteral(":/image/icon/Menu.png"), tr("扩展菜单"), IconClass::MENU, DockTarget);
    createClassIco();
}

void Widget::AddBlank()
{
    AddIcon(QStringLiteral(":/image/icon/Blank1.png"), tr("分栏图标"), IconClass::BLANK, DockTarget);
}

// ---- panels that add icons ------------------------------------------------

void Widget::AddSystemIcon()
{
    popupOpen = true;
    sidePanel()->setID(DockTarget);
    sidePanel()->showNormal();
    sidePanel()->show();
}

void Widget::menuAddSystemIco(QString ID)
{
    popupOpen = true;
    sidePanel()->setID(ID);
    sidePanel()->showNormal();
    sidePanel()->show();
    sidePanel()->activateWindow();
    sidePanel()->setFocus();
}

void Widget::AddUrlIco()
{
    addUrlDialog()->openAddPage(DockTarget);
    addUrlDialog()->show();
}

void Widget::menuAddUrlIco(QString ID)
{
    addUrlDialog()->openAddPage(ID);
    addUrlDialog()->show();
}

void Widget::AddDesktopWidget()
{
    m_desktopWidget->show();
}

void Widget::IconSettingsClose() { popupOpen = false; }
void Widget::SidebarMenuClose() { popupOpen = false; }

// ---- changing icons -------------------------------------------------------

void Widget::Modify(QString icoID, QString ico, QString name, QString)
{
    const int r = IcoData->findRow(0, icoID);
    if (r < 0)
        return;
    // The note cell keeps the picture the icon was made with.
    IcoData->setCell(r, 1, ico);
    IcoData->setCell(r, 2, name);
    SaveFile();
    showToast(tr("图标修改成功！"));
}

void Widget::setIconDisk(QString icoID, QString d)
{
    const int r = IcoData->findRow(0, icoID);
    if (r < 0)
        return;
    IcoData->setCell(r, 2, tr("系统盘符"));
    IcoData->setCell(r, 4, d);
    m_bar->setDrive(icoID, d);
    SaveFile();
    showToast(tr("盘符设置成功！"));
}

// ---- the update notice ----------------------------------------------------

void Widget::updates()
{
    settingsPanel()->showNewVersion();
    if (!m_set.upgradeNotice)
        return;
    if (IcoData->anyCellEquals(IconClass::UPGRADE))
        return;
    AddIcon(QStringLiteral(":/image/icon/rocket.gif"), tr("版本更新"), IconClass::UPGRADE, IconClass::UPGRADE);
}

// The update notice is shown only after a check found a newer version.
void Widget::updateIconProcess()
{
    const int r = IcoData->findRow(3, IconClass::UPGRADE);
    if (r < 0)
        return;
    if (m_bar->contains(IcoData->cell(r, 0))) {
        IcoData->removeAt(r);
        SaveFile();
    }
    rebuildBar();
}
