#pragma once

#include "layoutscale.h"
#include "layouttable.h"

#include <array>
#include <cstddef>
#include <optional>

// The window at one scale, in device pixels: every box, line and block a front-end shows. The
// scale is device pixels per pixel of the 96-dpi grid; every line is as many whole device pixels
// wide as the scale has (at least one), on every side alike.
class WindowLayout
{
public:
    using Box = LayoutScale::Box;
    // The density the layout table is drawn at, in dots per inch.
    static constexpr double kDesignDpi = 96.0;

    // `scale` > 0.
    explicit WindowLayout(double scale);

    double scale() const { return scale_; }
    int line() const { return line_; }
    Box client() const;
    // A control's box. Frames and the drawing surface keep the lines they share with their
    // neighbours; the other controls scale by their edges. The timer has none.
    Box box(Layout::ControlId id) const;

    // A line in the window-text colour: a side of a frame, or of the surface's border.
    struct Line
    {
        Layout::ControlId owner;
        Box box;
    };
    static constexpr std::size_t kLineCount = Layout::kLineCount;
    const std::array<Line, kLineCount> &lines() const { return lines_; }

    // The focus ring: an outline kRingWidth lines wide, kRingGap lines outside the focused
    // control's box, so it shows plainly in any palette without covering the control.
    static constexpr int kRingGap = 1;
    static constexpr int kRingWidth = 2;
    int ringGap() const { return kRingGap * line_; }
    int ringWidth() const { return kRingWidth * line_; }
    // The ring's outer edge around a control.
    Box ring(Layout::ControlId focused) const;

    // A box a front-end fills with a system colour, beneath the native controls.
    struct Fill
    {
        Box box;
        Layout::SystemColor color;
    };
    // Everything painted beneath the controls, in painting order: the client's ground, the
    // drawing's room, the lines, the drawing's blocks (over the line its last row lies on), and
    // the four sides of the ring around `focused` where the focus stops there.
    class Fills
    {
    public:
        static constexpr std::size_t kMost = 3 + kLineCount + 4;
        const Fill *begin() const { return items_.data(); }
        const Fill *end() const { return items_.data() + size_; }
        std::size_t size() const { return size_; }
        void add(const Box &box, Layout::SystemColor color) { items_[size_++] = {box, color}; }

    private:
        std::array<Fill, kMost> items_{};
        std::size_t size_ = 0;
    };
    Fills fills(std::optional<Layout::ControlId> focused) const;

    // The surface's room inside its border, and the drawing's blocks in it: square, the largest
    // whole number of device pixels that fits (at least one), centred.
    Box drawingRoom() const { return room_; }
    LayoutScale::Blocks blocks() const;
    // How far the room falls short of blocks of `block` device pixels: at most 1 where they fit.
    double blockShortfall(int block) const;

    // The least block at `scale`: whole device pixels, and never smaller than a 96-dpi pixel.
    static int leastBlock(double scale);
    // The scale a front-end starts from: its screen's dpi over the design's, at least 1, in
    // device pixels of `ratio` a logical pixel.
    static double startScale(double dpi, double ratio);

    // The window on a screen of `dpi` and `ratio` device pixels a logical pixel: from the
    // starting scale up until `textShortfall(layout)` is at most 1 (a front-end places its
    // controls there and measures their texts) and the drawing holds blocks of the least size.
    template<class TextShortfall>
    static WindowLayout fitted(double dpi, double ratio, TextShortfall textShortfall)
    {
        const double start = startScale(dpi, ratio);
        const int block = leastBlock(start);
        return fit(start, [&](const WindowLayout &at) {
            const double text = textShortfall(at), blocks = at.blockShortfall(block);
            return text > blocks ? text : blocks;
        });
    }

    // The layout at the least scale from `scale` up at which `shortfall(layout)` is at most 1 (a
    // front-end measures its texts and blocks there); the margins around a text do not grow with
    // the scale, so a few rounds settle it.
    template<class Shortfall> static WindowLayout fit(double scale, Shortfall shortfall)
    {
        WindowLayout layout(scale);
        for (int round = 0; round < kFitRounds; ++round) {
            const double missing = shortfall(layout);
            if (missing <= 1.0)
                break;
            layout = WindowLayout(layout.scale() * missing * kFitStep);
        }
        return layout;
    }

private:
    static constexpr int kFitRounds = 8;
    static constexpr double kFitStep = 1.001; // past the shortfall, so rounding cannot undo it

    double scale_;
    int line_;
    Box room_;
    std::array<Line, kLineCount> lines_;
};
