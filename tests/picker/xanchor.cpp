// zv_xanchor: the desktop around the picker in its end-to-end test. Run under
// xvfb-run, it paints the root window so that every pixel tells its place
// (red = x mod 256, green = y mod 256, blue = 16 * (x / 256) + y / 256), prints
// "DISPLAY=...", "XAUTHORITY=..." and "ready", and lives until its stdin ends.
// Meanwhile it is the clipboard manager: asked to save the clipboard
// (SAVE_TARGETS) by an owner that is leaving, it prints "saved <text>".
// Commands on stdin, one a line: "no manager" gives the manager's part up
// (answer "manager gone"); "take" makes it the clipboard's owner, as another
// program copying something would (answer "taken").
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
xcb_atom_t CLIPBOARD, CLIPBOARD_MANAGER, SAVE_TARGETS, UTF8_STRING, SAVED;

xcb_atom_t atom(const char *name)
{
    xcb_intern_atom_reply_t *r = xcb_intern_atom_reply(conn, xcb_intern_atom(conn, 0, std::strlen(name), name), nullptr);
    const xcb_atom_t a = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(r);
    return a;
}

void paintPattern()
{
    const int w = screen->width_in_pixels, h = screen->height_in_pixels;
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
}

// Prints a line once the server has carried out what came before.
void answer(const char *line)
{
    std::free(xcb_get_input_focus_reply(conn, xcb_get_input_focus(conn), nullptr));
    std::printf("%s\n", line);
    std::fflush(stdout);
}

void notify(const xcb_selection_request_event_t *req, xcb_atom_t property)
{
    const xcb_selection_notify_event_t ev { XCB_SELECTION_NOTIFY, 0, 0, req->time, req->requestor,
                                            req->selection, req->target, property };
    xcb_send_event(conn, 0, req->requestor, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char *>(&ev));
    xcb_flush(conn);
}

// The answer to our own conversion request, within five seconds.
xcb_selection_notify_event_t *waitForNotify()
{
    for (int waited = 0; waited < 5000; waited += 100) {
        while (xcb_generic_event_t *e = xcb_poll_for_event(conn)) {
            if ((e->response_type & 0x7f) == XCB_SELECTION_NOTIFY)
                return reinterpret_cast<xcb_selection_notify_event_t *>(e);
            std::free(e); // nobody else talks to us in the meantime
        }
        pollfd p { xcb_get_file_descriptor(conn), POLLIN, 0 };
        poll(&p, 1, 100);
    }
    return nullptr;
}

// Takes the text over from a leaving owner and tells the test what it got.
void saveClipboard(const xcb_selection_request_event_t *req)
{
    xcb_convert_selection(conn, own, CLIPBOARD, UTF8_STRING, SAVED, req->time);
    xcb_flush(conn);
    xcb_selection_notify_event_t *n = waitForNotify();
    xcb_get_property_reply_t *r = nullptr;
    if (n && n->property != XCB_ATOM_NONE)
        r = xcb_get_property_reply(
            conn, xcb_get_property(conn, 1, own, SAVED, XCB_GET_PROPERTY_TYPE_ANY, 0, 1 << 20), nullptr);
    if (r) {
        std::printf("saved %.*s\n", xcb_get_property_value_length(r), static_cast<const char *>(xcb_get_property_value(r)));
        std::fflush(stdout);
    }
    notify(req, r ? req->property : xcb_atom_t(XCB_ATOM_NONE));
    std::free(r);
    std::free(n);
}

void handle(xcb_generic_event_t *e)
{
    if ((e->response_type & 0x7f) != XCB_SELECTION_REQUEST)
        return;
    auto *req = reinterpret_cast<xcb_selection_request_event_t *>(e);
    if (req->selection == CLIPBOARD_MANAGER && req->target == SAVE_TARGETS)
        saveClipboard(req);
    else
        notify(req, XCB_ATOM_NONE);
}

void command(const std::string &line)
{
    if (line == "no manager") {
        xcb_set_selection_owner(conn, XCB_WINDOW_NONE, CLIPBOARD_MANAGER, XCB_CURRENT_TIME);
        answer("manager gone");
    } else if (line == "take") {
        xcb_set_selection_owner(conn, own, CLIPBOARD, XCB_CURRENT_TIME);
        answer("taken");
    }
}

} // namespace

int main()
{
    conn = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(conn))
        return 1;
    screen = xcb_setup_roots_iterator(xcb_get_setup(conn)).data;
    CLIPBOARD = atom("CLIPBOARD");
    CLIPBOARD_MANAGER = atom("CLIPBOARD_MANAGER");
    SAVE_TARGETS = atom("SAVE_TARGETS");
    UTF8_STRING = atom("UTF8_STRING");
    SAVED = atom("ZV_SAVED_CLIPBOARD");

    own = xcb_generate_id(conn);
    xcb_create_window(conn, XCB_COPY_FROM_PARENT, own, screen->root, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      screen->root_visual, 0, nullptr);
    xcb_set_selection_owner(conn, own, CLIPBOARD_MANAGER, XCB_CURRENT_TIME);
    paintPattern();
    // A round trip: the server has done all of the above before "ready".
    std::free(xcb_get_input_focus_reply(conn, xcb_get_input_focus(conn), nullptr));

    const char *display = std::getenv("DISPLAY");
    const char *auth = std::getenv("XAUTHORITY");
    std::printf("DISPLAY=%s\nXAUTHORITY=%s\nready\n", display ? display : "", auth ? auth : "");
    std::fflush(stdout);

    std::string input;
    for (;;) {
        while (xcb_generic_event_t *e = xcb_poll_for_event(conn)) {
            handle(e);
            std::free(e);
        }
        xcb_flush(conn);
        if (xcb_connection_has_error(conn))
            return 1;
        pollfd fds[2] = { { 0, POLLIN, 0 }, { xcb_get_file_descriptor(conn), POLLIN, 0 } };
        if (poll(fds, 2, -1) > 0 && fds[0].revents) {
            char buf[256];
            const ssize_t n = read(0, buf, sizeof buf);
            if (n <= 0)
                return 0;
            input.append(buf, size_t(n));
            for (size_t end; (end = input.find('\n')) != std::string::npos; input.erase(0, end + 1))
                command(input.substr(0, end));
        }
    }
}
