#include "platform/x11/FrameExtents.h"

#include <QGuiApplication>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>
#include <xcb/xcb.h>

namespace platform {

namespace {

constexpr auto ReplyWait = std::chrono::milliseconds(300);

xcb_atom_t atom(xcb_connection_t* connection, const char* name)
{
    auto cookie = xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t result = reply ? reply->atom : XCB_ATOM_NONE;
    std::free(reply);
    return result;
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
    return !cardinals(connection, root_of(connection), atom(connection, "_NET_SUPPORTING_WM_CHECK"),
                      XCB_ATOM_WINDOW).empty();
}

void send_request(xcb_connection_t* connection, xcb_window_t window)
{
    xcb_client_message_event_t event {};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    xcb_send_event(connection, 0, root_of(connection),
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&event));
    xcb_flush(connection);
}

}

QMargins request_frame_extents(QWidget& window)
{
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return {};
    xcb_connection_t* connection = x11->connection();
    if (!window_manager_running(connection))
        return {};
    // A stand-in of the same kind is asked: once the window itself exists, Qt would take each
    // later move of it for one of its client area.
    QWidget probe(nullptr, window.windowFlags());
    probe.setMinimumSize(window.minimumSize()); // one that can be resized may have a handle below
    probe.setMaximumSize(window.maximumSize());
    probe.resize(window.size());
    const auto id = static_cast<xcb_window_t>(probe.winId());
    const xcb_atom_t extents = atom(connection, "_NET_FRAME_EXTENTS");
    send_request(connection, id);
    // A window manager answers within a millisecond or so: asked again soon at first, then
    // less often, so that the program's start does not wait longer than the answer takes.
    const auto deadline = std::chrono::steady_clock::now() + ReplyWait;
    std::chrono::microseconds pause { 100 };
    do {
        const auto values = cardinals(connection, id, extents, XCB_ATOM_CARDINAL);
        if (values.size() == 4)
            return QMargins(int(values[0]), int(values[2]), int(values[1]), int(values[3]));
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::microseconds(5000));
    } while (std::chrono::steady_clock::now() < deadline);
    return {};
}

}
