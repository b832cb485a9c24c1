#include "launchediting.h"

#include "common/logging.h"
#include "dock/editing/formaddurl.h"
#include "dock/editing/formiconsettings.h"
#include "dock/editing/formsidebarmenu.h"
#include "dock/editing/programicon.h"
#include "dock/launchpad/launchdrag.h"
#include "dock/launchpad/launchgrid.h"
#include "dock/launchpad/launchrows.h"
#include "dock/model/dockicon.h"
#include "dock/toast/formsystemhint.h"
#include "platform/dialogs.h"
#include "platform/fileicons.h"

#include <QDir>
#include <QFileInfo>
#include <QPropertyAnimation>

namespace {

template <class T, class Wire>
T *madeOnce(T *&made, QWidget *parent, Wire wire)
{
    if (!made) {
        made = new T(parent);
        wire(made);
        made->hide();
    }
    return made;
}

} // namespace

LaunchEditing::LaunchEditing(QWidget *window, LaunchRows *rows, LaunchGrid *grid, LaunchDrag *drag, QObject *parent)
    : QObject(parent), m_window(window), m_rows(rows), m_grid(grid), m_drag(drag), m_toast(new FormSystemHint(window))
{
    m_toast->hide();
}

bool LaunchEditing::refused(const QString &cl)
{
    return IconClasses::of(cl).refusedIn(IconPlace::LaunchPad);
}

// ---- the dialogs: made when first opened, not at the dock's start-up ----------

FormSidebarMenu *LaunchEditing::sidePanel()
{
    return madeOnce(m_sidePanel, m_window, [this](FormSidebarMenu *w) {
        connect(w, &FormSidebarMenu::AddIcon, this,
                [this](QString ico, QString name, QString cl, QString path, QString) { addChecked(ico, name, cl, path); });
    });
}

FormAddUrl *LaunchEditing::addUrlDialog()
{
    return madeOnce(m_addUrl, m_window, [this](FormAddUrl *w) {
        connect(w, &FormAddUrl::AddIcon, this,
                [this](QString ico, QString name, QString cl, QString path, QString) { addChecked(ico, name, cl, path); });
    });
}

FormIconSettings *LaunchEditing::propertyDialog()
{
    return madeOnce(m_propertyDialog, m_window, [this](FormIconSettings *w) {
        connect(w, &FormIconSettings::Modify, this,
                [this](QString id, QString ico, QString name, QString) { modify(id, ico, name); });
        connect(w, &FormIconSettings::IconSettingsClose, this, [this] { emit closeOnDeactivateChanged(true); });
    });
}

void LaunchEditing::hideDialogs()
{
    for (QWidget *dialog : { static_cast<QWidget *>(m_sidePanel), static_cast<QWidget *>(m_propertyDialog),
                             static_cast<QWidget *>(m_addUrl) }) {
        if (dialog)
            dialog->hide();
    }
}

void LaunchEditing::hideSidePanel()
{
    if (m_sidePanel)
        m_sidePanel->hide();
}

void LaunchEditing::centre(QWidget *dialog)
{
    dialog->show();
    dialog->raise();
    dialog->move((m_window->width() - dialog->width()) / 2, (m_window->height() - dialog->height()) / 2);
}

void LaunchEditing::showToast(const QString &text)
{
    m_toast->ShowMessage(text);
    m_toast->setArea(m_window->width(), m_window->height());
    m_toast->show();
}

// ---- edit mode -------------------------------------------------------------------

bool LaunchEditing::isEditMode() const
{
    return m_grid->badges();
}

void LaunchEditing::showBadges()
{
    m_grid->setBadges(true);
}

void LaunchEditing::hideBadges()
{
    if (!isEditMode())
        return;
    m_grid->setBadges(false);
}

// ---- adding --------------------------------------------------------------------------

bool LaunchEditing::add(QString ico, QString name, QString cl, QString path)
{
    if (path.isEmpty()) {
        showToast(tr("不能添加！"));
        return false;
    }
    // A picture that is gone still leaves an icon one can open and edit.
    if (!QFileInfo::exists(ico))
        ico = IconClasses::of(cl).face == IconFace::WebSite ? QStringLiteral(":/image/icon/url.png")
                                                            : QStringLiteral(":/image/icon/Icon-what.png");
    m_drag->cancel();
    if (m_rows->add({ QString(), ico, name, cl, path, ico }).isEmpty()) {
        showToast(tr("不能添加！"));
        return false;
    }
    // The new icon shows at the end, out of edit mode.
    hideBadges();
    m_grid->place();
    showToast(tr("添加成功！"));
    return true;
}

bool LaunchEditing::addChecked(QString ico, QString name, QString cl, QString path)
{
    if (refused(cl)) {
        showToast(tr("此应用不能添加！"));
        return false;
    }
    return add(ico, name, cl, path);
}

void LaunchEditing::addPrograms()
{
    emit closeOnDeactivateChanged(false);
    const QStringList files = ProgramIcon::choose(m_window);
    // Cancelled: the pad stays open when it loses the focus until it closes.
    if (files.isEmpty())
        return;
    for (const QString &file : files) {
        qCDebug(lcMenus) << "后缀：" << QFileInfo(file).suffix();
        addProgram(file);
    }
    emit closeOnDeactivateChanged(true);
}

void LaunchEditing::addProgram(const QString &file)
{
    const ProgramIcon::Row row =
        ProgramIcon::fromFile(file, platform::FileIconsService::get().largeIcon(file, ProgramIcon::PictureSize));
    if (!row.refusal.isEmpty()) {
        showToast(row.refusal);
        return;
    }
    add(row.icon, row.name, IconClass::ICON, row.path);
}

void LaunchEditing::addFolder()
{
    emit closeOnDeactivateChanged(false);
    const QString dir = platform::DialogsService::get().existingFolder(m_window, tr("选择文件夹"), QDir::currentPath());
    if (dir.isEmpty())
        return;
    add(QStringLiteral(":/image/icon/Folder.png"), QFileInfo(dir).fileName(), IconClass::FOLDER, dir);
    emit closeOnDeactivateChanged(true);
}

void LaunchEditing::addWebSite()
{
    addUrlDialog()->openAddPage(QStringLiteral("0"));
    centre(m_addUrl);
}

void LaunchEditing::showSidePanel()
{
    sidePanel()->show();
    m_sidePanel->raise();
    auto *a = new QPropertyAnimation(m_sidePanel, "pos", this);
    a->setDuration(300);
    a->setEasingCurve(QEasingCurve::OutCubic);
    a->setStartValue(QPoint(-m_sidePanel->width(), 30));
    a->setEndValue(QPoint(10, 30));
    a->start(QAbstractAnimation::DeleteWhenStopped);
}

// ---- editing and deleting ----------------------------------------------------------------

void LaunchEditing::edit(const QString &id, int code)
{
    if (code != 1)
        return;
    const int r = m_rows->rowOf(id);
    if (r < 0)
        return;
    const DockIconRecord rec = m_rows->at(r);
    emit closeOnDeactivateChanged(false);
    propertyDialog()->setIconData(id, rec.Icon, rec.Name, rec.Note, rec.Path, rec.Class, 0);
    centre(m_propertyDialog);
}

void LaunchEditing::modify(QString id, QString ico, QString name)
{
    if (!m_rows->modify(id, ico, name))
        return;
    m_grid->refresh(id);
    showToast(tr("图标修改成功！"));
}

bool LaunchEditing::remove(QString id)
{
    m_drag->cancel();
    if (!m_rows->remove(id))
        return false;
    m_grid->removeIcon(id);
    m_grid->place();
    showToast(tr("删除成功！"));
    return true;
}
