#include "dockadding.h"
#include "dockactions.h"
#include "dockdrag.h"
#include "dockmenus.h"
#include "dockwindows.h"

#include "common/logging.h"
#include "dock/editing/formaddurl.h"
#include "dock/editing/formiconlists.h"
#include "dock/editing/formiconsettings.h"
#include "dock/editing/formsidebarmenu.h"
#include "dock/editing/programicon.h"
#include "dock/icons/dockbar.h"
#include "dock/icons/dockiconmenucode.h"
#include "dock/icons/formcommonicon.h"
#include "dock/icons/formselectdisk.h"
#include "dock/menus/formmenu.h"
#include "dock/model/dockiconlist.h"
#include "dock/settings/formsettings.h"
#include "platform/dialogs.h"
#include "platform/fileicons.h"

#include <QDir>
#include <QFileInfo>

const QString DockAdding::Bar = QStringLiteral("0");

DockAdding::DockAdding(const Parts &parts, QObject *parent) : QObject(parent), m_p(parts)
{
    connect(m_p.windows, &DockWindows::made, this, &DockAdding::wireWindow);
}

// The adding dialogs hand their icons back here as they are made.
void DockAdding::wireWindow(QWidget *window)
{
    const auto addTo = [this](const QString &ico, const QString &name, const QString &cl, const QString &path,
                              const QString &target) { this->addTo(ico, name, cl, path, target); };
    const auto closed = [this] { emit popupChanged(false); };
    if (auto *side = qobject_cast<FormSidebarMenu *>(window)) {
        connect(side, &FormSidebarMenu::SidebarMenuClose, this, closed);
        connect(side, &FormSidebarMenu::AddIcon, this, addTo);
    } else if (auto *addUrl = qobject_cast<FormAddUrl *>(window)) {
        connect(addUrl, &FormAddUrl::AddIcon, this, addTo);
    } else if (auto *settings = qobject_cast<FormIconSettings *>(window)) {
        connect(settings, &FormIconSettings::Modify, this,
                [this](const QString &id, const QString &ico, const QString &name) { modify(id, ico, name); });
        connect(settings, &FormIconSettings::IconSettingsClose, this, closed);
    } else if (auto *lists = qobject_cast<FormIconLists *>(window)) {
        connect(lists, &FormIconLists::AddIcon, this, addTo);
    } else if (auto *chooser = qobject_cast<FormSelectDisk *>(window)) {
        connect(chooser, &FormSelectDisk::setIconDisk, this, &DockAdding::setDrive);
    }
}

QString DockAdding::freeId() const
{
    return IconIds::freeId([this](const QString &id) { return m_p.icons->anyCellEquals(id); });
}

QPixmap DockAdding::largeIcon(const QString &filePath)
{
    return platform::FileIconsService::get().largeIcon(filePath, ProgramIcon::PictureSize);
}

// ---- adding icons ---------------------------------------------------------

void DockAdding::add(const QString &ico, const QString &name, const QString &cl, const QString &path)
{
    DockIconList *icons = m_p.icons;
    const QString id = freeId();
    const DockIconRecord rec { id, ico, name, cl, path, ico };
    const bool mayAdd = !path.isEmpty();
    bool added = false;

    const DockDrag::PendingDrop drop = m_p.drag->takePendingDrop();
    if (drop.pending) {
        // A drop aimed at a slot: onto a menu or the launch pad the item goes
        // in there, anywhere else it lands in the gap. A drop aimed between
        // two icons lands there even when a menu or the launch pad follows.
        const int rows = icons->rowCount();
        const int slot = qBound(0, drop.slot, rows);
        const DockIconRecord at = slot < rows ? icons->record(slot) : DockIconRecord();
        if (!drop.between && IconClasses::of(at.Class).tool == DockTool::IconMenu) {
            m_p.drag->ghost()->closeAnimation();
            addTo(ico, name, cl, path, at.IconID);
        } else if (!drop.between && IconClasses::of(at.Class).tool == DockTool::LaunchPad) {
            m_p.drag->ghost()->closeAnimation();
            m_p.drag->addToLaunchPad(ico, name, cl, path, Bar);
        } else if (mayAdd) {
            icons->insert(slot, rec);
            emit toast(tr("图标添加成功！"));
            added = true;
        }
    } else if (mayAdd) {
        icons->insert(icons->rowCount(), rec);
        if (!IconClass::isTransient(cl))
            emit toast(tr("图标添加成功！"));
        added = true;
    }

    emit rebuildRequested();
    if (m_p.bar->contains(id))
        m_p.bar->showAnimation(id);
    // Only an icon that is really on the bar can take the chosen drive.
    if (added && IconClasses::of(cl).opening(IconPlace::Bar) == IconOpening::Drive && path == Bar) {
        m_p.windows->driveChooser()->setIconData(id, Bar);
        m_p.windows->driveChooser()->show();
    }
    if (!IconClass::isTransient(cl))
        emit saveRequested();
    qCDebug(lcBar) << "添加图标完毕!";
}

void DockAdding::addTo(const QString &ico, const QString &name, const QString &cl, const QString &path,
                       const QString &target)
{
    qCDebug(lcBar) << "添加图标" << target;
    if (target != Bar) {
        if (IconClasses::of(cl).refusedIn(IconPlace::Menu)) {
            emit toast(tr("菜单中不能添加此图标！"));
            return;
        }
        if (FormMenu *menu = m_p.menus->menu(target))
            menu->AddIcon(ico, name, cl, path);
        return;
    }
    if (IconClasses::of(cl).is(IconRule::OncePerBar) && m_p.icons->anyCellEquals(cl)) {
        emit toast(tr("此图标已经存在！"));
        return;
    }
    add(ico, name, cl, path);
}

void DockAdding::addProgram(const QString &filePath, const QString &target)
{
    const ProgramIcon::Row row = ProgramIcon::fromFile(filePath, largeIcon(filePath));
    if (!row.refusal.isEmpty()) {
        emit toast(row.refusal);
        return;
    }
    if (target == Bar)
        add(row.icon, row.name, IconClass::ICON, row.path);
    else if (FormMenu *menu = m_p.menus->menu(target))
        menu->AddIcon(row.icon, row.name, IconClass::ICON, row.path);
}

void DockAdding::choosePrograms(const QString &target)
{
    const QStringList files = ProgramIcon::choose(dialogOwner(target));
    for (const QString &file : files) {
        qCDebug(lcBar) << "后缀：" << QFileInfo(file).suffix();
        addProgram(file, target);
    }
}

QWidget *DockAdding::dialogOwner(const QString &target) const
{
    // An icon menu's add commands open their dialogs over the menu.
    if (target != Bar) {
        if (FormMenu *menu = m_p.menus->menu(target))
            return menu;
    }
    return m_p.dialogParent;
}

void DockAdding::chooseFolder(const QString &target)
{
    const QString dir =
        platform::DialogsService::get().existingFolder(dialogOwner(target), tr("选择文件夹"), QDir::currentPath());
    if (dir.isEmpty())
        return;
    const QString folder = QStringLiteral(":/image/icon/Folder.png");
    if (target == Bar)
        add(folder, QFileInfo(dir).fileName(), IconClass::FOLDER, dir);
    else if (FormMenu *menu = m_p.menus->menu(target))
        menu->AddIcon(folder, QFileInfo(dir).fileName(), IconClass::FOLDER, dir);
}

void DockAdding::addMenu()
{
    add(QStringLiteral(":/image/icon/Menu.png"), tr("扩展菜单"), IconClass::MENU, Bar);
}

void DockAdding::addBlank()
{
    add(QStringLiteral(":/image/icon/Blank1.png"), tr("分栏图标"), IconClass::BLANK, Bar);
}

// ---- panels that add icons ------------------------------------------------

void DockAdding::openSidePanel(const QString &target)
{
    emit popupChanged(true);
    FormSidebarMenu *side = m_p.windows->sidePanel();
    side->setID(target);
    side->showNormal();
    side->show();
    if (target != Bar) {
        side->activateWindow();
        side->setFocus();
    }
}

void DockAdding::openAddUrl(const QString &target)
{
    m_p.windows->addUrlDialog()->openAddPage(target);
    m_p.windows->addUrlDialog()->show();
}

// ---- changing icons -------------------------------------------------------

void DockAdding::modify(const QString &id, const QString &ico, const QString &name)
{
    const int r = m_p.icons->indexOfId(id);
    if (r < 0)
        return;
    // The note cell keeps the picture the icon was made with.
    m_p.icons->setCell(r, DockIconRecord::IconField, ico);
    m_p.icons->setCell(r, DockIconRecord::NameField, name);
    emit saveRequested();
    emit toast(tr("图标修改成功！"));
}

void DockAdding::setDrive(const QString &id, const QString &drive)
{
    const int r = m_p.icons->indexOfId(id);
    if (r < 0)
        return;
    m_p.icons->setCell(r, DockIconRecord::NameField, tr("系统盘符"));
    m_p.icons->setCell(r, DockIconRecord::PathField, drive);
    m_p.bar->setDrive(id, drive);
    emit saveRequested();
    emit toast(tr("盘符设置成功！"));
}

// ---- the update notice ----------------------------------------------------

void DockAdding::showUpdateNotice(bool wanted)
{
    m_p.windows->settingsPanel()->showNewVersion();
    if (!wanted || m_p.icons->anyCellEquals(IconClass::UPGRADE))
        return;
    add(QStringLiteral(":/image/icon/rocket.gif"), tr("版本更新"), IconClass::UPGRADE, IconClass::UPGRADE);
}

void DockAdding::removeUpdateNotice()
{
    const int r = m_p.icons->findRow(DockIconRecord::ClassField, IconClass::UPGRADE);
    if (r < 0)
        return;
    if (m_p.bar->contains(m_p.icons->at(r).IconID)) {
        m_p.icons->removeAt(r);
        emit saveRequested();
    }
    emit rebuildRequested();
}

void DockAdding::registerCommands(DockActions *actions)
{
    namespace Code = DockIconMenuCode;
    // From the bar's own menu the target is the bar; from a menu icon's, that menu.
    using Way = void (DockAdding::*)(const QString &);
    const struct { int onBar, inMenu; Way add; } ways[] = {
        { Code::AddIcon, Code::MenuAddIcon, &DockAdding::choosePrograms },
        { Code::AddSystemIcon, Code::MenuAddSystemIcon, &DockAdding::openSidePanel },
        { Code::AddFolder, Code::MenuAddFolder, &DockAdding::chooseFolder },
        { Code::AddUrlIco, Code::MenuAddUrlIco, &DockAdding::openAddUrl },
    };
    for (const auto &w : ways) {
        actions->setCommand(w.onBar, [this, f = w.add](const QString &) { (this->*f)(Bar); });
        actions->setCommand(w.inMenu, [this, f = w.add](const QString &id) { (this->*f)(id); });
    }
    actions->setCommand(Code::AddExtendedMenu, [this](const QString &) { addMenu(); });
    actions->setCommand(Code::AddBlank, [this](const QString &) { addBlank(); });
}
