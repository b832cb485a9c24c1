#include "clipboardkeeper.h"

#include "common/logging.h"
#include "picker/programend.h"
#include "platform/x11atoms.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QX11Info>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace {

// A clipboard manager announces itself by owning the selection
// CLIPBOARD_MANAGER; Qt hands the clipboard over to it at the end.
bool clipboardManagerRunning()
{
    if (!QX11Info::isPlatformX11())
        return false;
    xcb_connection_t *c = QX11Info::connection();
    if (!c)
        return false;
    const xcb_atom_t selection = platform::internAtom(c, "CLIPBOARD_MANAGER", true);
    if (selection == XCB_ATOM_NONE)
        return false;
    xcb_get_selection_owner_reply_t *owner =
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selection), nullptr);
    const bool running = owner && owner->owner != XCB_WINDOW_NONE;
    std::free(owner);
    return running;
}

class X11ClipboardKeeper final : public ClipboardKeeper
{
public:
    bool endWouldLoseClipboard() override
    {
        // Other platforms keep the clipboard after its owner has gone, or
        // hand it over themselves.
        if (!QX11Info::isPlatformX11())
            return false;
        return QGuiApplication::clipboard()->ownsClipboard() && !clipboardManagerRunning();
    }
};

} // namespace

template <>
ClipboardKeeper &platform::Service<ClipboardKeeper>::real()
{
    static X11ClipboardKeeper keeper;
    return keeper;
}

void endKeepingClipboard(int code)
{
    if (!ClipboardKeeperService::get().endWouldLoseClipboard()) {
        ProgramEndService::get().end(code);
        return;
    }
    qCDebug(lcPicker) << "no clipboard manager: keeping the copied colour until another program takes the clipboard";
    QClipboard *clipboard = QGuiApplication::clipboard();
    auto waiting = std::make_shared<QMetaObject::Connection>();
    *waiting = QObject::connect(clipboard, &QClipboard::changed, clipboard, [waiting, code](QClipboard::Mode mode) {
        if (mode != QClipboard::Clipboard)
            return;
        // Once only, whatever the clipboard does while the event loop ends.
        QObject::disconnect(*waiting);
        ProgramEndService::get().end(code);
    });
}
