#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

struct xcb_connection_t;

// Puts single pixels on an X11 window with the smallest request the protocol has, a 1 x 1
// PutImage of 28 bytes, all of a batch in one write on the toolkit's own connection. A few
// hundred scattered pixels then cost a few kilobytes and one system call, where sending the box
// around them would cost tens of kilobytes and more calls.
class X11PixelWriter
{
public:
    struct Pixel
    {
        std::int16_t x, y;   // window coordinates
        std::uint32_t color; // 0x..RRGGBB; the top byte is ignored
    };

    // A writer for `window`, or none when its pixels are not 24-bit true colour held in 32-bit
    // units in this machine's byte order. Asks the server once, so make one per window.
    static std::unique_ptr<X11PixelWriter> create(xcb_connection_t *connection,
                                                  std::uint32_t window);
    ~X11PixelWriter();
    X11PixelWriter(const X11PixelWriter &) = delete;
    X11PixelWriter &operator=(const X11PixelWriter &) = delete;

    // False when the connection has failed; then nothing was sent.
    bool write(std::span<const Pixel> pixels);

private:
    struct PutPixel;

    X11PixelWriter(xcb_connection_t *connection, std::uint32_t window, std::uint8_t depth);
    // One 1 x 1 PutImage a pixel, in requests_.
    void fillRequests(std::span<const Pixel> pixels);

    xcb_connection_t *connection_;
    std::uint32_t window_, gc_;
    std::uint8_t depth_;
    std::uint64_t sent_ = 0;     // the last request's sequence number after the last write
    std::uint64_t lastSync_ = 0; // the sequence number of the last request with a reply
    std::vector<PutPixel> requests_;
};
