#include "windowlayout.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

using Layout::ControlId;
using Layout::Kind;

bool outlined(const Layout::Control &c)
{
    return c.kind == Kind::FrameRect || c.kind == Kind::DrawingSurface;
}

} // namespace

WindowLayout::WindowLayout(double scale)
    : scale_(scale), line_(std::max(1, static_cast<int>(scale + 1e-9)))
{
    const Box surface = box(ControlId::pct1);
    const Layout::Margins &m = Layout::kSurfaceBorder;
    room_ = {surface.left + m.left * line_, surface.top + m.top * line_,
             surface.width - (m.left + m.right) * line_,
             surface.height - (m.top + m.bottom) * line_};
    std::size_t n = 0;
    for (const Layout::Control &c : Layout::kControls) {
        if (c.kind == Kind::FrameRect)
            for (const Box &side : LayoutScale::sides(box(c.id), line_))
                lines_[n++] = {c.id, side};
    }
    const int drawn[] = {m.top, m.bottom, m.left, m.right}; // in the order sides() gives
    for (std::size_t i = 0; i < std::size(drawn); ++i)
        if (drawn[i])
            lines_[n++] = {ControlId::pct1, LayoutScale::sides(surface, drawn[i] * line_)[i]};
}

WindowLayout::Box WindowLayout::client() const
{
    return LayoutScale::area(
        {0, 0, Layout::toPixels(Layout::kClientWidth), Layout::toPixels(Layout::kClientHeight)},
        scale_);
}

WindowLayout::Box WindowLayout::box(ControlId id) const
{
    const Layout::Control &c = Layout::control(id);
    const Box at96 = Layout::gridBox(c);
    return outlined(c) ? LayoutScale::outline(at96, scale_, line_)
                       : LayoutScale::area(at96, scale_);
}

WindowLayout::Box WindowLayout::ring(ControlId focused) const
{
    const Box b = box(focused);
    const int reach = ringGap() + ringWidth();
    return {b.left - reach, b.top - reach, b.width + 2 * reach, b.height + 2 * reach};
}

WindowLayout::Fills WindowLayout::fills(std::optional<ControlId> focused) const
{
    Fills fills;
    fills.add(client(), Layout::kClientColor);
    fills.add(room_, Layout::kSurfaceColor);
    for (const Line &line : lines_)
        fills.add(line.box, Layout::kLineColor);
    const LayoutScale::Blocks b = blocks(); // the drawing covers the line its last row is on
    fills.add({b.left, b.top, Layout::kDrawingWidth * b.size, Layout::kDrawingHeight * b.size},
              Layout::kSurfaceColor);
    if (focused && Layout::takesFocus(Layout::control(*focused)))
        for (const Box &side : LayoutScale::sides(ring(*focused), ringWidth()))
            fills.add(side, Layout::kLineColor);
    return fills;
}

LayoutScale::Blocks WindowLayout::blocks() const
{
    return LayoutScale::fit(Layout::kDrawingWidth, Layout::kDrawingHeight, room_);
}

double WindowLayout::blockShortfall(int block) const
{
    return std::max(double(Layout::kDrawingWidth * block) / room_.width,
                    double(Layout::kDrawingHeight * block) / room_.height);
}

int WindowLayout::leastBlock(double scale)
{
    return std::max(1, static_cast<int>(std::ceil(scale - 1e-6)));
}

double WindowLayout::startScale(double dpi, double ratio)
{
    return std::max(1.0, dpi / kDesignDpi) * ratio;
}
