#include "platform/x11/ShmFrame.h"
#include "platform/x11/QtConnection.h"

#include <QImage>
#include <QPainter>
#include <QRegion>
#include <QWidget>
#include <xcb/shm.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <memory>
#include <optional>
#include <string_view>
#include <sys/ipc.h>
#include <sys/mman.h>
#include <sys/shm.h>
#include <unistd.h>
#include <unordered_map>

namespace platform {

namespace {

// Frames are painted one after the other into this memory, going round; a part is used again
// only once the server has read it, which it long has by then. The server is asked to
// confirm that only now and then: each answer wakes the program's X reader thread, which
// would take the processor from a door's busy pause.
constexpr std::size_t ArenaBytes = std::size_t(8) << 20;
constexpr std::size_t LargestFrame = ArenaBytes / 4;
constexpr std::size_t FenceEvery = ArenaBytes / 8;

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply>
ReplyPtr<Reply> owned(Reply* reply) { return ReplyPtr<Reply>(reply, &std::free); }

// Shared memory reaches only an X server on this machine.
bool local_display()
{
    const char* display = std::getenv("DISPLAY");
    const std::string_view name = display ? display : "";
    return name.starts_with(':') || name.starts_with("unix:");
}

class SharedFrames {
public:
    // The frames of this connection, or nothing where the server cannot share memory.
    static SharedFrames* of(xcb_connection_t* connection);
    SharedFrames(xcb_connection_t* connection, xcb_shm_seg_t segment, std::uint8_t* memory, bool mapped)
        : m_connection(connection), m_segment(segment), m_memory(memory), m_mapped(mapped)
    {
    }
    // The server lets go when the connection closes.
    ~SharedFrames() { m_mapped ? munmap(m_memory, ArenaBytes) : shmdt(m_memory); }

    bool put(QWidget& surface, const QRect& area, const std::function<void(QPainter&)>& paint);

private:
    // The frames painted in [begin, end), read by the server once `read` is answered.
    struct Fence {
        std::size_t begin;
        std::size_t end;
        xcb_get_input_focus_cookie_t read;
    };

    std::optional<std::uint8_t> fitting_depth(xcb_window_t window);
    xcb_gcontext_t context_for(xcb_window_t window, std::uint8_t depth);
    std::size_t reserve(std::size_t bytes);
    void fence();
    void wait_oldest();

    xcb_connection_t* m_connection;
    xcb_shm_seg_t m_segment;
    std::uint8_t* m_memory;
    bool m_mapped; // a file's mapping, else a System V segment
    std::size_t m_next { 0 };
    std::size_t m_unfenced { 0 }; // frames painted since the last fence begin here
    std::deque<Fence> m_fences;
    std::unordered_map<xcb_window_t, std::optional<std::uint8_t>> m_depths;
    std::unordered_map<std::uint8_t, xcb_gcontext_t> m_contexts;
};

bool attached(xcb_connection_t* connection, xcb_void_cookie_t request)
{
    xcb_generic_error_t* error = xcb_request_check(connection, request);
    const bool ok = error == nullptr;
    std::free(error);
    return ok;
}

// Memory handed to the server as a file (the extension's version 1.2 on), which reaches it
// also from another IPC namespace.
std::unique_ptr<SharedFrames> attach_file(xcb_connection_t* connection)
{
    const auto version = owned(xcb_shm_query_version_reply(connection, xcb_shm_query_version(connection), nullptr));
    if (!version || (version->major_version == 1 && version->minor_version < 2))
        return nullptr;
    const int fd = memfd_create("door frames", MFD_CLOEXEC);
    if (fd < 0)
        return nullptr;
    void* memory = ftruncate(fd, ArenaBytes) == 0
        ? mmap(nullptr, ArenaBytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0)
        : MAP_FAILED;
    if (memory == MAP_FAILED) {
        close(fd);
        return nullptr;
    }
    const xcb_shm_seg_t segment = xcb_generate_id(connection);
    if (!attached(connection, xcb_shm_attach_fd_checked(connection, segment, fd, 0))) { // xcb closes fd
        munmap(memory, ArenaBytes);
        return nullptr;
    }
    return std::make_unique<SharedFrames>(connection, segment, static_cast<std::uint8_t*>(memory), true);
}

std::unique_ptr<SharedFrames> attach_segment(xcb_connection_t* connection)
{
    const int id = shmget(IPC_PRIVATE, ArenaBytes, IPC_CREAT | 0600);
    if (id < 0)
        return nullptr;
    void* memory = shmat(id, nullptr, 0);
    const xcb_shm_seg_t segment = xcb_generate_id(connection);
    const bool ok = memory != reinterpret_cast<void*>(-1)
        && attached(connection, xcb_shm_attach_checked(connection, segment, id, 0));
    shmctl(id, IPC_RMID, nullptr); // gone once both sides have let go
    if (!ok) {
        if (memory != reinterpret_cast<void*>(-1))
            shmdt(memory);
        return nullptr;
    }
    return std::make_unique<SharedFrames>(connection, segment, static_cast<std::uint8_t*>(memory), false);
}

std::unique_ptr<SharedFrames> attach(xcb_connection_t* connection)
{
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(connection, &xcb_shm_id);
    if (!local_display() || extension == nullptr || !extension->present)
        return nullptr;
    auto frames = attach_file(connection);
    return frames ? std::move(frames) : attach_segment(connection);
}

SharedFrames* SharedFrames::of(xcb_connection_t* connection)
{
    static xcb_connection_t* attached_to = nullptr;
    static std::unique_ptr<SharedFrames> frames;
    if (connection != attached_to) {
        frames = attach(connection);
        attached_to = connection;
    }
    return frames.get();
}

const xcb_visualtype_t* find_visual(const xcb_setup_t* setup, std::uint8_t depth, xcb_visualid_t id)
{
    for (auto screen = xcb_setup_roots_iterator(setup); screen.rem; xcb_screen_next(&screen)) {
        for (auto d = xcb_screen_allowed_depths_iterator(screen.data); d.rem; xcb_depth_next(&d)) {
            if (d.data->depth != depth)
                continue;
            for (auto v = xcb_depth_visuals_iterator(d.data); v.rem; xcb_visualtype_next(&v))
                if (v.data->visual_id == id)
                    return v.data;
        }
    }
    return nullptr;
}

bool four_bytes_a_pixel(const xcb_setup_t* setup, std::uint8_t depth)
{
    for (auto format = xcb_setup_pixmap_formats_iterator(setup); format.rem; xcb_format_next(&format))
        if (format.data->depth == depth)
            return format.data->bits_per_pixel == 32;
    return false;
}

// Whether the window's pixels are laid out as a 32-bit RGB image of this machine.
bool fits_rgb32(const xcb_setup_t* setup, std::uint8_t depth, xcb_visualid_t visual_id)
{
    const xcb_visualtype_t* visual = find_visual(setup, depth, visual_id);
    return visual != nullptr && (depth == 24 || depth == 32) && four_bytes_a_pixel(setup, depth)
        && visual->_class == XCB_VISUAL_CLASS_TRUE_COLOR && visual->red_mask == 0xff0000u
        && visual->green_mask == 0xff00u && visual->blue_mask == 0xffu
        && setup->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST && std::endian::native == std::endian::little;
}

std::optional<std::uint8_t> SharedFrames::fitting_depth(xcb_window_t window)
{
    if (const auto known = m_depths.find(window); known != m_depths.end())
        return known->second;
    const auto geometry = owned(xcb_get_geometry_reply(m_connection, xcb_get_geometry(m_connection, window), nullptr));
    const auto attributes = owned(xcb_get_window_attributes_reply(
        m_connection, xcb_get_window_attributes(m_connection, window), nullptr));
    std::optional<std::uint8_t> depth;
    if (geometry && attributes && fits_rgb32(xcb_get_setup(m_connection), geometry->depth, attributes->visual))
        depth = geometry->depth;
    return m_depths[window] = depth;
}

xcb_gcontext_t SharedFrames::context_for(xcb_window_t window, std::uint8_t depth)
{
    if (const auto known = m_contexts.find(depth); known != m_contexts.end())
        return known->second;
    const xcb_gcontext_t context = xcb_generate_id(m_connection);
    const std::uint32_t no_exposures = 0;
    xcb_create_gc(m_connection, context, window, XCB_GC_GRAPHICS_EXPOSURES, &no_exposures);
    return m_contexts[depth] = context;
}

void SharedFrames::fence()
{
    if (m_next > m_unfenced)
        m_fences.push_back({ m_unfenced, m_next, xcb_get_input_focus(m_connection) });
    m_unfenced = m_next;
}

void SharedFrames::wait_oldest()
{
    std::free(xcb_get_input_focus_reply(m_connection, m_fences.front().read, nullptr));
    m_fences.pop_front();
}

std::size_t SharedFrames::reserve(std::size_t bytes)
{
    bytes = (bytes + 63) & ~std::size_t(63);
    if (m_next + bytes > ArenaBytes) {
        fence(); // the round's last frames, so that the next round can wait for them
        m_next = m_unfenced = 0;
    }
    const std::size_t begin = m_next;
    m_next += bytes;
    // Only frames of the last round can lie where this one goes, and their fences are the
    // oldest: those of this round's earlier frames are behind them.
    const auto overlaps = [&](const Fence& fence) { return fence.begin < m_next && begin < fence.end; };
    while (std::any_of(m_fences.begin(), m_fences.end(), overlaps))
        wait_oldest();
    return begin;
}

bool SharedFrames::put(QWidget& surface, const QRect& area, const std::function<void(QPainter&)>& paint)
{
    // A window of its own: a child surface shares its window with siblings that may cover it.
    const qreal ratio = surface.devicePixelRatioF();
    const int scale = qRound(ratio);
    if (!surface.isVisible() || surface.internalWinId() == 0 || ratio != scale || area.isEmpty())
        return false;
    const auto window = static_cast<xcb_window_t>(surface.internalWinId());
    const std::optional<std::uint8_t> depth = fitting_depth(window);
    const QSize pixels = area.size() * scale;
    const std::size_t bytes = std::size_t(pixels.width()) * std::size_t(pixels.height()) * 4;
    if (!depth || bytes > LargestFrame)
        return false;

    const std::size_t offset = reserve(bytes);
    QImage image(m_memory + offset, pixels.width(), pixels.height(), pixels.width() * 4, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    {
        QPainter painter(&image);
        painter.translate(-area.topLeft());
        paint(painter);
    }
    // The child widgets keep the pixels Qt gave them.
    const xcb_gcontext_t context = context_for(window, *depth);
    for (const QRect& part : QRegion(area) - surface.childrenRegion()) {
        const QRect from((part.topLeft() - area.topLeft()) * scale, part.size() * scale);
        xcb_shm_put_image(m_connection, window, context, pixels.width(), pixels.height(), from.x(), from.y(),
                          from.width(), from.height(), part.x() * scale, part.y() * scale, *depth,
                          XCB_IMAGE_FORMAT_Z_PIXMAP, 0, m_segment, offset);
    }
    if (m_next - m_unfenced >= FenceEvery)
        fence();
    xcb_flush(m_connection);
    return true;
}

}

bool put_frame_now(QWidget& surface, const QRect& area, const std::function<void(QPainter&)>& paint)
{
    xcb_connection_t* connection = qt_connection();
    SharedFrames* frames = connection ? SharedFrames::of(connection) : nullptr;
    return frames != nullptr && frames->put(surface, area, paint);
}

}
