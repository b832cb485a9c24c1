#include "dialogs.h"
#include "applicationchooser.h"

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

// Centres the dialog on its owner's window whenever it is shown. A dialog
// that lays itself out as it shows (a message box) is resized after the show
// event: until the event loop turns, a resize centres it again, still before
// the window is mapped.
class Centring final : public QObject
{
public:
    Centring(QWidget *dialog, QWidget *owner) : QObject(dialog), m_dialog(dialog), m_owner(owner) {}

    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (o != m_dialog)
            return false;
        if (e->type() == QEvent::Show) {
            m_showing = true;
            centre();
            QTimer::singleShot(0, this, [this] { m_showing = false; });
        } else if (e->type() == QEvent::Resize && m_showing) {
            centre();
        }
        return false;
    }

private:
    void centre()
    {
        if (!m_owner)
            return;
        QWidget *owner = m_owner->window();
        // Inside the frames: before it is mapped a window may not know its own.
        QRect r(QPoint(0, 0), m_dialog->size());
        r.moveCenter(owner->geometry().center());
        const QPoint frame = m_dialog->geometry().topLeft() - m_dialog->frameGeometry().topLeft();
        const QSize frames = m_dialog->frameGeometry().size() - m_dialog->size();
        // Whole on the owner's screen, even beside a window at its edge.
        if (const QScreen *screen = owner->screen()) {
            const QRect area = screen->availableGeometry().adjusted(frame.x(), frame.y(), frame.x() - frames.width(),
                                                                     frame.y() - frames.height());
            r.moveLeft(qBound(area.left(), r.left(), qMax(area.left(), area.right() + 1 - r.width())));
            r.moveTop(qBound(area.top(), r.top(), qMax(area.top(), area.bottom() + 1 - r.height())));
        }
        m_dialog->move(r.topLeft() - frame);
    }

    QWidget *m_dialog;
    QPointer<QWidget> m_owner;
    bool m_showing = false;
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

void placeOver(QWidget *dialog, QWidget *owner)
{
    if (!dialog || !owner)
        return;
    QWidget *top = owner->window();
    top->winId();
    dialog->winId();
    if (QWindow *w = dialog->windowHandle())
        w->setTransientParent(top->windowHandle());
    dialog->installEventFilter(new Centring(dialog, top));
}

template <>
Dialogs &Service<Dialogs>::real()
{
    static QtDialogs d;
    return d;
}

} // namespace platform
