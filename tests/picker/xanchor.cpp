// zv_xanchor: keeps a test X server alive for the picker's end-to-end test and
// plays the parts of the desktop around the picker.
//
// Run it under xvfb-run. It prints "DISPLAY=...", "XAUTHORITY=..." and "ready",
// then reads one command per line from stdin and answers "ok" once the server
// has carried it out:
//   solid RRGGBB   paints the root window in one colour
//   pattern        paints the root window so that every pixel tells its place:
//                  red = x mod 256, green = y mod 256, blue = 16 * (x / 256) + y / 256
//   focus          gives the keyboard focus to a window of its own, so that a
//                  client only gets keys when it grabs the keyboard
//   quit           ends it (so does the end of stdin)
// Meanwhile it is the clipboard manager: asked to save the clipboard
// (SAVE_TARGETS) by an owner that is leaving, it copies the text and goes on
// serving it as the new owner of CLIPBOARD.
#include <xcb/xcb.h>

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

xcb_connection_t *conn = nullptr;
xcb_screen_t *screen = nullptr;
xcb_window_t own = 0;
xcb_window_t focusWindow = 0;
std::string savedText;
bool ownsClipboard = false;

xcb_atom_t atom(const char *name)
{
    xcb_intern_atom_reply_t *r = xcb_intern_atom_reply(conn, xcb_intern_atom(conn, 0, std::strlen(name), name), nullptr);
    const xcb_atom_t a = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(r);
    return a;
}

xcb_atom_t CLIPBOARD, CLIPBOARD_MANAGER, SAVE_TARGETS, TARGETS, UTF8_STRING, TEXT, SAVED;

void roundTrip()
{
    std::free(xcb_get_input_focus_reply(conn, xcb_get_input_focus(conn), nullptr));
}

void answer(const char *line)
{
    std::printf("%s\n", line);
    std::fflush(stdout);
}

void paintSolid(unsigned rgb)
{
    const uint32_t value = rgb;
    xcb_change_window_attributes(conn, screen->root, XCB_CW_BACK_PIXEL, &value);
    xcb_clear_area(conn, 0, screen->root, 0, 0, 0, 0);
    roundTrip();
}

void paintPattern()
{
    const int w = screen->width_in_pixels;
    const int h = screen->height_in_pixels;
    const xcb_pixmap_t pixmap = xcb_generate_id(conn);
    xcb_create_pixmap(conn, screen->root_depth, pixmap, screen->root, w, h);
    const xcb_gcontext_t gc = xcb_generate_id(conn);
    xcb_create_gc(conn, gc, pixmap, 0, nullptr);
    // Strips small enough for a request without the big-requests extension.
    const int rows = 32;
    std::vector<uint32_t> strip(size_t(w) * rows);
    for (int y0 = 0; y0 < h; y0 += rows) {
        const int n = std::min(rows, h - y0);
        for (int y = y0; y < y0 + n; ++y)
            for (int x = 0; x < w; ++x)
                strip[size_t(y - y0) * w + x] =
                    uint32_t(x & 255) << 16 | uint32_t(y & 255) << 8 | uint32_t(((x >> 8) << 4) | (y >> 8));
        xcb_put_image(conn, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap, gc, w, n, 0, y0, 0, screen->root_depth,
                      uint32_t(w) * n * 4, reinterpret_cast<const uint8_t *>(strip.data()));
    }
    xcb_change_window_attributes(conn, screen->root, XCB_CW_BACK_PIXMAP, &pixmap);
    xcb_clear_area(conn, 0, screen->root, 0, 0, 0, 0);
    xcb_free_gc(conn, gc);
    xcb_free_pixmap(conn, pixmap);
    roundTrip();
}

void takeFocus()
{
    if (!focusWindow) {
        focusWindow = xcb_generate_id(conn);
        const uint32_t values[] = { 1, XCB_EVENT_MASK_KEY_PRESS };
        xcb_create_window(conn, 0, focusWindow, screen->root, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                          XCB_COPY_FROM_PARENT, XCB_CW_OVERRIDE_REDIRECT | XCB_CW_EVENT_MASK, values);
        xcb_map_window(conn, focusWindow);
        roundTrip();
    }
    xcb_set_input_focus(conn, XCB_INPUT_FOCUS_POINTER_ROOT, focusWindow, XCB_CURRENT_TIME);
    roundTrip();
}

void notify(const xcb_selection_request_event_t *req, xcb_atom_t property)
{
    xcb_selection_notify_event_t ev {};
    ev.response_type = XCB_SELECTION_NOTIFY;
    ev.time = req->time;
    ev.requestor = req->requestor;
    ev.selection = req->selection;
    ev.target = req->target;
    ev.property = property;
    xcb_send_event(conn, 0, req->requestor, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char *>(&ev));
    xcb_flush(conn);
}

// Waits up to five seconds for the answer to our own conversion request.
xcb_selection_notify_event_t *waitForNotify()
{
    const int fd = xcb_get_file_descriptor(conn);
    for (int waited = 0; waited < 5000;) {
        while (xcb_generic_event_t *e = xcb_poll_for_event(conn)) {
            if ((e->response_type & 0x7f) == XCB_SELECTION_NOTIFY)
                return reinterpret_cast<xcb_selection_notify_event_t *>(e);
            std::free(e); // nobody else talks to us in the meantime
        }
        pollfd p { fd, POLLIN, 0 };
        poll(&p, 1, 100);
        waited += 100;
    }
    return nullptr;
}

void saveClipboard(const xcb_selection_request_event_t *req)
{
    xcb_convert_selection(conn, own, CLIPBOARD, UTF8_STRING, SAVED, req->time);
    xcb_flush(conn);
    xcb_selection_notify_event_t *n = waitForNotify();
    bool saved = false;
    if (n && n->property != XCB_ATOM_NONE) {
        xcb_get_property_reply_t *r = xcb_get_property_reply(
            conn, xcb_get_property(conn, 1, own, SAVED, XCB_GET_PROPERTY_TYPE_ANY, 0, 1 << 20), nullptr);
        if (r) {
            savedText.assign(static_cast<const char *>(xcb_get_property_value(r)),
                             size_t(xcb_get_property_value_length(r)));
            saved = true;
            std::free(r);
        }
    }
    std::free(n);
    if (saved) {
        xcb_set_selection_owner(conn, own, CLIPBOARD, XCB_CURRENT_TIME);
        ownsClipboard = true;
    }
    notify(req, saved ? req->property : xcb_atom_t(XCB_ATOM_NONE));
}

void serveClipboard(const xcb_selection_request_event_t *req)
{
    const xcb_atom_t property = req->property != XCB_ATOM_NONE ? req->property : req->target;
    if (req->target == TARGETS) {
        const xcb_atom_t targets[] = { TARGETS, UTF8_STRING, XCB_ATOM_STRING, TEXT };
        xcb_change_property(conn, XCB_PROP_MODE_REPLACE, req->requestor, property, XCB_ATOM_ATOM, 32, 4, targets);
    } else if (req->target == UTF8_STRING || req->target == XCB_ATOM_STRING || req->target == TEXT) {
        const xcb_atom_t type = req->target == TEXT ? UTF8_STRING : req->target;
        xcb_change_property(conn, XCB_PROP_MODE_REPLACE, req->requestor, property, type, 8,
                            uint32_t(savedText.size()), savedText.data());
    } else {
        notify(req, XCB_ATOM_NONE);
        return;
    }
    notify(req, property);
}

void handle(xcb_generic_event_t *e)
{
    switch (e->response_type & 0x7f) {
    case XCB_SELECTION_REQUEST: {
        auto *req = reinterpret_cast<xcb_selection_request_event_t *>(e);
        if (req->selection == CLIPBOARD_MANAGER && req->target == SAVE_TARGETS)
            saveClipboard(req);
        else if (req->selection == CLIPBOARD && ownsClipboard)
            serveClipboard(req);
        else
            notify(req, XCB_ATOM_NONE);
        break;
    }
    case XCB_SELECTION_CLEAR:
        if (reinterpret_cast<xcb_selection_clear_event_t *>(e)->selection == CLIPBOARD)
            ownsClipboard = false;
        break;
    default:
        break;
    }
}

// Returns false when it is time to go.
bool command(const std::string &line)
{
    if (line.rfind("solid ", 0) == 0) {
        paintSolid(unsigned(std::strtoul(line.c_str() + 6, nullptr, 16)));
    } else if (line == "pattern") {
        paintPattern();
    } else if (line == "focus") {
        takeFocus();
    } else if (line == "quit") {
        return false;
    } else {
        answer("unknown");
        return true;
    }
    answer("ok");
    return true;
}

} // namespace

int main()
{
    conn = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(conn)) {
        std::fprintf(stderr, "zv_xanchor: no X server\n");
        return 1;
    }
    screen = xcb_setup_roots_iterator(xcb_get_setup(conn)).data;
    CLIPBOARD = atom("CLIPBOARD");
    CLIPBOARD_MANAGER = atom("CLIPBOARD_MANAGER");
    SAVE_TARGETS = atom("SAVE_TARGETS");
    TARGETS = atom("TARGETS");
    UTF8_STRING = atom("UTF8_STRING");
    TEXT = atom("TEXT");
    SAVED = atom("ZV_SAVED_CLIPBOARD");

    own = xcb_generate_id(conn);
    const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(conn, XCB_COPY_FROM_PARENT, own, screen->root, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      screen->root_visual, XCB_CW_EVENT_MASK, &mask);
    xcb_set_selection_owner(conn, own, CLIPBOARD_MANAGER, XCB_CURRENT_TIME);
    roundTrip();

    const char *display = std::getenv("DISPLAY");
    const char *auth = std::getenv("XAUTHORITY");
    std::printf("DISPLAY=%s\nXAUTHORITY=%s\n", display ? display : "", auth ? auth : "");
    answer("ready");

    std::string pending;
    const int xfd = xcb_get_file_descriptor(conn);
    for (;;) {
        while (xcb_generic_event_t *e = xcb_poll_for_event(conn)) {
            handle(e);
            std::free(e);
        }
        xcb_flush(conn);
        if (xcb_connection_has_error(conn))
            return 1;
        pollfd fds[2] = { { 0, POLLIN, 0 }, { xfd, POLLIN, 0 } };
        if (poll(fds, 2, -1) < 0)
            continue;
        if (fds[0].revents) {
            char buf[256];
            const ssize_t n = read(0, buf, sizeof buf);
            if (n <= 0)
                return 0;
            pending.append(buf, size_t(n));
            for (size_t nl; (nl = pending.find('\n')) != std::string::npos;) {
                const std::string line = pending.substr(0, nl);
                pending.erase(0, nl + 1);
                if (!command(line))
                    return 0;
            }
        }
    }
}
