#include "x11pixelwriter.h"

#include <xcb/xcb.h>
#include <xcb/xcbext.h>

#include <bit>
#include <cstdlib>
#include <sys/uio.h>

namespace {

// Sequence numbers come back from the server in 16 bits, which the library widens by the last
// one it saw; a reply at least every 65535 requests keeps that unambiguous. The library sees to
// it for the requests it sends itself, not for those written past it.
constexpr std::uint64_t kSyncInterval = 1 << 15;

// The depth of windows with this visual when its pixels are 0xRRGGBB, else 0.
std::uint8_t rgbDepth(const xcb_setup_t *setup, xcb_visualid_t visual)
{
    for (auto screen = xcb_setup_roots_iterator(setup); screen.rem; xcb_screen_next(&screen))
        for (auto depth = xcb_screen_allowed_depths_iterator(screen.data); depth.rem;
             xcb_depth_next(&depth))
            for (auto v = xcb_depth_visuals_iterator(depth.data); v.rem; xcb_visualtype_next(&v))
                if (v.data->visual_id == visual) {
                    const bool rgb = v.data->_class == XCB_VISUAL_CLASS_TRUE_COLOR &&
                                     v.data->red_mask == 0xFF0000 &&
                                     v.data->green_mask == 0x00FF00 &&
                                     v.data->blue_mask == 0x0000FF;
                    return rgb ? depth.data->depth : 0;
                }
    return 0;
}

std::uint8_t bitsPerPixel(const xcb_setup_t *setup, std::uint8_t depth)
{
    for (auto f = xcb_setup_pixmap_formats_iterator(setup); f.rem; xcb_format_next(&f))
        if (f.data->depth == depth)
            return f.data->bits_per_pixel;
    return 0;
}

// Every batch is written whole, so there is nothing to finish when the library wants the
// connection back.
void returnSocket(void *) {}

} // namespace

struct X11PixelWriter::PutPixel
{
    xcb_put_image_request_t request;
    std::uint32_t color;
};
static_assert(sizeof(xcb_put_image_request_t) == 24, "the request as the protocol lays it out");

std::unique_ptr<X11PixelWriter> X11PixelWriter::create(xcb_connection_t *connection,
                                                       std::uint32_t window)
{
    if (!connection || xcb_connection_has_error(connection))
        return nullptr;
    const xcb_setup_t *setup = xcb_get_setup(connection);
    const auto nativeOrder = std::endian::native == std::endian::little ? XCB_IMAGE_ORDER_LSB_FIRST
                                                                        : XCB_IMAGE_ORDER_MSB_FIRST;
    if (setup->image_byte_order != nativeOrder)
        return nullptr;
    const std::unique_ptr<xcb_get_window_attributes_reply_t, decltype(&std::free)> attributes(
        xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, window),
                                        nullptr),
        &std::free);
    if (!attributes)
        return nullptr;
    const std::uint8_t depth = rgbDepth(setup, attributes->visual);
    if ((depth != 24 && depth != 32) || bitsPerPixel(setup, depth) != 32)
        return nullptr;
    return std::unique_ptr<X11PixelWriter>(new X11PixelWriter(connection, window, depth));
}

X11PixelWriter::X11PixelWriter(xcb_connection_t *connection, std::uint32_t window,
                               std::uint8_t depth)
    : connection_(connection), window_(window), gc_(xcb_generate_id(connection)), depth_(depth)
{
    const std::uint32_t noExposures = 0;
    xcb_create_gc(connection_, gc_, window_, XCB_GC_GRAPHICS_EXPOSURES, &noExposures);
}

X11PixelWriter::~X11PixelWriter()
{
    xcb_free_gc(connection_, gc_);
}

bool X11PixelWriter::write(std::span<const Pixel> pixels)
{
    if (pixels.empty())
        return true;
    const bool sync = sent_ - lastSync_ >= kSyncInterval;
    if (sync)
        xcb_discard_reply(connection_, xcb_get_input_focus(connection_).sequence);
    std::uint64_t sent = 0;
    if (!xcb_take_socket(connection_, &returnSocket, this, 0, &sent))
        return false;
    if (sync)
        lastSync_ = sent;
    fillRequests(pixels);
    iovec batch{requests_.data(), requests_.size() * sizeof(PutPixel)};
    if (!xcb_writev(connection_, &batch, 1, requests_.size()))
        return false;
    sent_ = sent + requests_.size();
    return true;
}

void X11PixelWriter::fillRequests(std::span<const Pixel> pixels)
{
    PutPixel put{};
    put.request.major_opcode = XCB_PUT_IMAGE;
    put.request.format = XCB_IMAGE_FORMAT_Z_PIXMAP;
    put.request.length = sizeof(PutPixel) / 4;
    put.request.drawable = window_;
    put.request.gc = gc_;
    put.request.width = put.request.height = 1;
    put.request.depth = depth_;
    requests_.resize(pixels.size());
    PutPixel *out = requests_.data();
    for (const Pixel &pixel : pixels) {
        put.request.dst_x = pixel.x;
        put.request.dst_y = pixel.y;
        put.color = pixel.color;
        *out++ = put;
    }
}
