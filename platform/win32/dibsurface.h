#pragma once

#include "color.h"
#include "dirtybox.h"
#include "layouttable.h"
#include "pixelsink.h"
#include "windowlayout.h"

#include <windows.h>

#include <cstdint>

// The drawing surface on Win32: a child window backed by a 32-bit DIB section that keeps
// whatever is plotted until it is cleared, so the picture survives covering and minimising.
// Its border and the 183 x 128 positions' blocks, centred on the window colour, are where the
// window's layout puts them.
class DibSurface
{
public:
    static constexpr int kWidth = Layout::kDrawingWidth, kHeight = Layout::kDrawingHeight;

    // Registers the window class once per process; false if that fails.
    static bool registerClass(HINSTANCE instance);
    // The picture, then the child window, with `style` besides a visible child's and named
    // `name` for screen readers; null if either cannot be made.
    HWND create(HWND parent, int id, HINSTANCE instance, DWORD style, const wchar_t *name);
    // The picture alone, cleared: a DIB section of kWidth x kHeight; false if it cannot be made.
    bool createPicture();
    ~DibSurface();

    // Positions outside the drawing area are ignored.
    void plot(int x, int y, Color color) { sink().plot(x, y, color); }
    // The same as plot() for each, in order.
    void plotAll(std::span<const PixelPlot> plots) { sink().plotAll(plots); }
    void clear();
    // What was never plotted takes the system's surface colour as it is now; the points keep
    // theirs.
    void recolourGround();
    // Shows what was plotted since the last flush at once, straight from the picture, and
    // returns it: the pixels of the surface that show it (empty when nothing was plotted).
    RECT flush();
    // Takes its border, room and blocks from `layout`, where the surface is at its box.
    void layOut(const WindowLayout &layout);
    HWND hwnd() const { return hwnd_; }
    // Where `positions` are shown, in the surface's own pixels: whole blocks.
    RECT shownRect(const LayoutScale::Box &positions) const;
    // The picture's word at a drawing position inside it.
    std::uint32_t pixel(int x, int y) const { return pixels_[y * kWidth + x]; }

    // A DIB's pixel: 0x00RRGGBB.
    struct Pixel
    {
        static constexpr std::uint32_t word(Color c) { return swapRedBlue(c); }
    };

private:
    PixelSink<Pixel, DirtyBox> sink() { return {pixels_, kWidth, kWidth, kHeight, dirty_}; }
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void paint();

    HWND hwnd_ = nullptr;
    HDC screen_ = nullptr; // the window's own device context, kept between paints
    HDC memory_ = nullptr;
    HBITMAP bitmap_ = nullptr, previous_ = nullptr;
    std::uint32_t *pixels_ = nullptr; // top-down rows of kWidth
    DirtyBox dirty_;
    WindowLayout layout_{1.0};
    std::uint32_t ground_ = 0; // the word of what was never plotted
};
