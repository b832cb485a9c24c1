#pragma once
#include <QByteArray>

#include <cstdlib>
#include <xcb/xcb.h>

namespace platform {

// The atom of a name, XCB_NONE when the server cannot tell it. With
// onlyIfExists a name no client has used yet stays XCB_NONE: nothing can
// carry a property or own a selection of that name then.
inline xcb_atom_t internAtom(xcb_connection_t *c, const QByteArray &name, bool onlyIfExists)
{
    xcb_intern_atom_reply_t *r = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, onlyIfExists ? 1 : 0, uint16_t(name.size()), name.constData()), nullptr);
    const xcb_atom_t a = r ? r->atom : xcb_atom_t(XCB_NONE);
    std::free(r);
    return a;
}

} // namespace platform
