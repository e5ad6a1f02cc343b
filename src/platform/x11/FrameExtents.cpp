#include "platform/x11/FrameExtents.h"
#include "platform/x11/QtConnection.h"

#include <QWidget>
#include <chrono>
#include <cstring>
#include <thread>
#include <xcb/xcb.h>

namespace platform {

namespace {

constexpr auto ReplyWait = std::chrono::milliseconds(300);

struct Atoms {
    xcb_atom_t wm_check;
    xcb_atom_t request;
    xcb_atom_t extents;
};

xcb_intern_atom_cookie_t intern(xcb_connection_t* connection, const char* name)
{
    return xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
}

xcb_atom_t atom_of(xcb_connection_t* connection, xcb_intern_atom_cookie_t asked)
{
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, asked, nullptr);
    const xcb_atom_t atom = reply ? reply->atom : XCB_ATOM_NONE;
    std::free(reply);
    return atom;
}

// Asked all at once, and once for the connection: each answer is a round trip to the server.
const Atoms& atoms(xcb_connection_t* connection)
{
    static xcb_connection_t* asked_on = nullptr;
    static Atoms known {};
    if (connection != asked_on) {
        const auto wm_check = intern(connection, "_NET_SUPPORTING_WM_CHECK");
        const auto request = intern(connection, "_NET_REQUEST_FRAME_EXTENTS");
        const auto extents = intern(connection, "_NET_FRAME_EXTENTS");
        known = { atom_of(connection, wm_check), atom_of(connection, request), atom_of(connection, extents) };
        asked_on = connection;
    }
    return known;
}

// The property's 32-bit values, or none.
std::vector<std::uint32_t> cardinals(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property,
                                     xcb_atom_t type)
{
    auto cookie = xcb_get_property(connection, 0, window, property, type, 0, 4);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr);
    std::vector<std::uint32_t> values;
    if (reply && reply->format == 32) {
        const auto* data = static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
        values.assign(data, data + xcb_get_property_value_length(reply) / 4);
    }
    std::free(reply);
    return values;
}

xcb_window_t root_of(xcb_connection_t* connection)
{
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

bool window_manager_running(xcb_connection_t* connection)
{
    return !cardinals(connection, root_of(connection), atoms(connection).wm_check, XCB_ATOM_WINDOW).empty();
}

void send_request(xcb_connection_t* connection, xcb_window_t window)
{
    xcb_client_message_event_t event {};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = atoms(connection).request;
    xcb_send_event(connection, 0, root_of(connection),
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&event));
    xcb_flush(connection);
}

}

QMargins request_frame_extents(QWidget& window)
{
    xcb_connection_t* connection = qt_connection();
    if (!connection || !window_manager_running(connection))
        return {};
    // A stand-in of the same kind is asked: once the window itself exists, Qt would take each
    // later move of it for one of its client area.
    QWidget probe(nullptr, window.windowFlags());
    probe.setMinimumSize(window.minimumSize()); // one that can be resized may have a handle below
    probe.setMaximumSize(window.maximumSize());
    probe.resize(window.size());
    const auto id = static_cast<xcb_window_t>(probe.winId());
    send_request(connection, id);
    // A window manager answers within a few milliseconds: the start waits no longer than that.
    const auto deadline = std::chrono::steady_clock::now() + ReplyWait;
    constexpr std::chrono::microseconds Pause { 100 };
    do {
        const auto values = cardinals(connection, id, atoms(connection).extents, XCB_ATOM_CARDINAL);
        if (values.size() == 4)
            return QMargins(int(values[0]), int(values[2]), int(values[1]), int(values[3]));
        std::this_thread::sleep_for(Pause);
    } while (std::chrono::steady_clock::now() < deadline);
    return {};
}

}
