#include "dialogs.h"
#include "applicationchooser.h"

#include "screens.h"
#include "windowsystem.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <QWindow>

namespace platform {

namespace {

// Places the dialog over its owner's window whenever it is shown. A dialog
// that lays itself out as it shows (a message box) is resized after the show
// event: until the event loop turns, a resize centres it again, still before
// the window is mapped.
class Centring final : public QObject
{
public:
    Centring(QWidget *dialog, QWidget *owner, Placing placing)
        : QObject(dialog), m_dialog(dialog), m_owner(owner), m_placing(placing)
    {
    }

    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (o != m_dialog)
            return false;
        if (e->type() == QEvent::Show) {
            standOverOwner();
            if (m_placing == Placing::Centred || !m_placed || !onOwnersScreen()) {
                m_showing = true;
                centre();
                QTimer::singleShot(0, this, [this] { m_showing = false; });
            }
            m_placed = true;
        } else if (e->type() == QEvent::Resize && m_showing) {
            centre();
        } else if (e->type() == QEvent::WindowActivate) {
            // Whether it has the keyboard is kept as it goes: by the time it
            // is hidden Qt no longer counts it active.
            m_hadKeyboard = true;
        } else if (e->type() == QEvent::WindowDeactivate && !m_dialog->isHidden()) {
            m_hadKeyboard = false;
        } else if (e->type() == QEvent::Hide) {
            if (m_hadKeyboard)
                giveKeyboardBack();
            m_hadKeyboard = false;
        }
        return false;
    }

private:
    QWidget *ownerWindow() const { return m_owner ? m_owner->window() : nullptr; }

    // Set before the window is shown: Qt writes it to the window system then.
    void standOverOwner()
    {
        QWidget *owner = ownerWindow();
        if (!owner || owner == m_dialog)
            return;
        owner->winId();
        WindowSystemService::get().standOver(m_dialog, owner);
    }

    // The window the dialog stood over takes back the keyboard the dialog
    // had, unless another dialog of ours has taken its place: left to itself
    // the window manager may hand it to another program's window, in front of
    // which a window that covers the screen (the launch pad) then falls behind.
    void giveKeyboardBack()
    {
        QPointer<QWidget> owner = ownerWindow();
        if (!owner || owner->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus))
            return;
        QTimer::singleShot(0, owner, [owner] {
            const QWidget *modal = QApplication::activeModalWidget();
            if (owner && owner->isVisible() && (!modal || modal == owner))
                WindowSystemService::get().forceActivate(owner);
        });
    }

    // The available part of the screen that holds the middle of the owner's window.
    QRect ownersArea() const
    {
        return ScreensService::get().availableGeometryAt(ownerWindow()->geometry().center());
    }

    bool onOwnersScreen() const
    {
        return !ownerWindow() || ownersArea().contains(m_dialog->frameGeometry().center());
    }

    void centre()
    {
        QWidget *owner = ownerWindow();
        if (!owner)
            return;
        // Inside the frames: before it is mapped a window may not know its own.
        QRect r(QPoint(0, 0), m_dialog->size());
        r.moveCenter(owner->geometry().center());
        const QPoint frame = m_dialog->geometry().topLeft() - m_dialog->frameGeometry().topLeft();
        const QSize frames = m_dialog->frameGeometry().size() - m_dialog->size();
        // Whole on the owner's screen, even beside a window at its edge.
        const QRect area = ownersArea();
        if (area.isValid()) {
            const QRect inner = area.adjusted(frame.x(), frame.y(), frame.x() - frames.width(),
                                              frame.y() - frames.height());
            r.moveLeft(qBound(inner.left(), r.left(), qMax(inner.left(), inner.right() + 1 - r.width())));
            r.moveTop(qBound(inner.top(), r.top(), qMax(inner.top(), inner.bottom() + 1 - r.height())));
        }
        m_dialog->move(r.topLeft() - frame);
    }

    QWidget *m_dialog;
    QPointer<QWidget> m_owner;
    Placing m_placing;
    bool m_showing = false;
    bool m_placed = false;
    bool m_hadKeyboard = false;
};

// What the user chose in a file dialog over owner's window; empty when cancelled. Options
// given replace the dialog's own.
QStringList choose(QWidget *owner, const QString &caption, const QString &folder, const QString &filter,
                   QFileDialog::FileMode mode, QFileDialog::Options options = {}, const QStringList &places = {})
{
    QFileDialog d(nullptr, caption, folder, filter);
    d.setFileMode(mode);
    if (options)
        d.setOptions(options);
    placeOver(&d, owner);
    if (!places.isEmpty()) {
        QList<QUrl> side = d.sidebarUrls();
        for (const QString &p : places) {
            const QUrl url = QUrl::fromLocalFile(p);
            if (QDir(p).exists() && !side.contains(url))
                side << url;
        }
        d.setSidebarUrls(side);
    }
    return d.exec() == QDialog::Accepted ? d.selectedFiles() : QStringList();
}

class QtDialogs final : public Dialogs
{
public:
    QStringList openFileNames(QWidget *owner, const QString &caption, const QString &folder,
                              const QString &filter, const QStringList &places) override
    {
        return choose(owner, caption, folder, filter, QFileDialog::ExistingFiles, {}, places);
    }

    QStringList openApplications(QWidget *owner, const QString &caption, const QString &folder,
                                 const QString &filter, const QStringList &places) override
    {
        return ApplicationChooser::choose(owner, [&] { return openFileNames(owner, caption, folder, filter, places); });
    }

    QString openFileName(QWidget *owner, const QString &caption, const QString &folder,
                         const QString &filter) override
    {
        return choose(owner, caption, folder, filter, QFileDialog::ExistingFile).value(0);
    }

    QString existingFolder(QWidget *owner, const QString &caption, const QString &folder) override
    {
        return choose(owner, caption, folder, QString(), QFileDialog::Directory,
                      QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks).value(0);
    }
};

} // namespace

void placeOver(QWidget *dialog, QWidget *owner, Placing placing)
{
    if (!dialog || !owner)
        return;
    // Qt tells the window system a transient parent only for the window types
    // that have one; a plain frameless window becomes a frameless dialog.
    if (dialog->windowType() == Qt::Window) {
        const bool shown = dialog->isVisible();
        dialog->setWindowFlags((dialog->windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog);
        if (shown)
            dialog->show();
    }
    dialog->installEventFilter(new Centring(dialog, owner, placing));
}

template <>
Dialogs &Service<Dialogs>::real()
{
    static QtDialogs d;
    return d;
}

} // namespace platform
