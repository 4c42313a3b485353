#include "pagelayout.h"

#include "layouttable.h"
#include "page.h"
#include "palettestepper.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <iterator>
#include <string_view>

namespace {

using Layout::Control;
using Layout::ControlId;
using Layout::Kind;
using LayoutScale::Box;

int idOf(const Control &c)
{
    return static_cast<int>(c.id);
}

// The element that stands for a control of `kind`, and its role where the element has none.
struct Element
{
    const char *tag, *role;
};
Element elementFor(const Control &c)
{
    switch (c.kind) {
    case Kind::PushButton:
        return {"button", ""};
    case Kind::DrawingSurface:
        return {"div", "img"};
    case Kind::Label:
        return {"div", c.id == ControlId::lbl1 ? "status" : ""};
    default:
        return {"div", ""};
    }
}

// A control's description for the page: its fields one after another, each ended by '\x1f',
// the fields that list several texts with one a line. Longer than any control needs.
class Fields
{
public:
    static constexpr std::size_t kSize = 256;

    Fields &operator<<(std::string_view field)
    {
        for (const char c : field)
            put(c);
        put('\x1f');
        return *this;
    }
    Fields &line(std::string_view text)
    {
        for (const char c : text)
            put(c);
        put('\n');
        return *this;
    }
    const char *text()
    {
        buffer_[used_] = '\0';
        return buffer_.data();
    }

private:
    void put(char c)
    {
        if (used_ + 1 < buffer_.size())
            buffer_[used_++] = c;
    }
    std::array<char, kSize> buffer_{};
    std::size_t used_ = 0;
};

// Every control's fields fit: its texts, the longest tag and role, the separators, and lbl1's
// indices, one a line.
constexpr bool fieldsFit()
{
    for (const Control &c : Layout::kControls)
        if (c.name.size() + 2 * c.caption.size() + c.accessibleName.size() +
                c.accessibleDescription.size() + 32 + 3 * (PaletteStepper::kLast + 1) >=
            Fields::kSize)
            return false;
    return true;
}
static_assert(fieldsFit());

// The texts that must fit in a control: its caption, or for lbl1 every index.
void textsToFit(const Control &c, Fields &fields)
{
    if (c.id != ControlId::lbl1) {
        fields << c.caption;
        return;
    }
    for (int index = PaletteStepper::kFirst; index <= PaletteStepper::kLast; ++index) {
        char digits[4];
        const auto end = std::to_chars(std::begin(digits), std::end(digits), index).ptr;
        fields.line({digits, static_cast<std::size_t>(end - digits)});
    }
    fields << "";
}

// A 96-dpi line's width at `scale`: as many whole device pixels as the scale has.
int lineAt(double scale)
{
    return std::max(1, static_cast<int>(scale));
}

// Frame lines and the drawing's border keep their neighbours' edges; areas scale by their edges.
Box scaled(const Control &c, double scale)
{
    const Box at96 = Layout::gridBox(c);
    const bool outlined = c.kind == Kind::FrameRect || c.kind == Kind::DrawingSurface;
    return outlined ? LayoutScale::outline(at96, scale, lineAt(scale))
                    : LayoutScale::area(at96, scale);
}

// The drawing surface at `scale` device pixels per 96-dpi pixel: its box, and the room inside
// its border (one line of whole device pixels per 96-dpi pixel of it).
struct Drawing
{
    Box outer, room;
};
Drawing drawingAt(double scale)
{
    const Box outer = scaled(Layout::control(ControlId::pct1), scale);
    const int line = lineAt(scale);
    const Layout::Margins &b = Layout::kSurfaceBorder;
    return {outer,
            {outer.left + b.left * line, outer.top + b.top * line,
             outer.width - (b.left + b.right) * line, outer.height - (b.top + b.bottom) * line}};
}

// Draws the lines, `line` device pixels wide, along the inside of a control's box `at` on the
// sides that `drawn` gives a width (in 96-dpi pixels: 1, or 0 for none), as filled boxes: the
// browser puts those on whole device pixels, where it would blend a border of a fractional number
// of CSS pixels.
void drawLines(const Control &c, const Box &at, int line, const Layout::Margins &drawn)
{
    const auto sides = LayoutScale::sides(at, line); // top, bottom, left, right
    const int shown[] = {drawn.top, drawn.bottom, drawn.left, drawn.right};
    for (int i = 0; i < 4; ++i)
        page_line(idOf(c), i, sides[i].left - at.left, sides[i].top - at.top,
                  shown[i] ? sides[i].width : 0, shown[i] ? sides[i].height : 0);
}

// The least scale from `scale` up at which the drawing holds blocks of `block` device pixels.
double scaleForBlocks(double scale, int block)
{
    for (int round = 0; round < 4; ++round) {
        const Box room = drawingAt(scale).room;
        const double shortfall = std::max(double(Layout::kDrawingWidth * block) / room.width,
                                          double(Layout::kDrawingHeight * block) / room.height);
        if (shortfall <= 1.0)
            break;
        scale *= shortfall * 1.0001;
    }
    return scale;
}

} // namespace

namespace PageLayout {

void build()
{
    for (const Control &c : Layout::kControls) {
        if (c.kind == Kind::Timer)
            continue;
        const Element e = elementFor(c);
        Fields fields;
        fields << e.tag << e.role << c.name << c.caption << c.accessibleName
               << c.accessibleDescription;
        textsToFit(c, fields);
        page_addControl(idOf(c), fields.text());
    }
    // The labels hold tab indices but take no focus.
    static constexpr auto order = Layout::tabOrder();
    std::array<int, order.size()> focusable{};
    int count = 0;
    for (const ControlId id : order)
        if (Layout::control(id).kind != Kind::Label)
            focusable[count++] = static_cast<int>(id);
    page_focusOrder(focusable.data(), count);
}

double place(double factor, double ratio)
{
    // A position is never smaller than a 96-dpi pixel would look, and at a fractional ratio the
    // drawing fills its room rather than leaving a margin of most of a block around it.
    const int block = std::max(1, static_cast<int>(std::ceil(ratio - 1e-6)));
    const double scale = scaleForBlocks(std::max(1.0, factor) * ratio, block);
    const int line = lineAt(scale);
    for (const Control &c : Layout::kControls)
        if (c.kind != Kind::Timer) {
            const Box at = scaled(c, scale);
            page_place(idOf(c), at.left, at.top, at.width, at.height);
            if (c.kind == Kind::FrameRect)
                drawLines(c, at, line, {1, 1, 1, 1});
        }
    const Drawing d = drawingAt(scale);
    drawLines(Layout::control(ControlId::pct1), d.outer, line, Layout::kSurfaceBorder);
    const LayoutScale::Blocks blocks =
        LayoutScale::fit(Layout::kDrawingWidth, Layout::kDrawingHeight, d.room);
    page_drawing(blocks.left - d.outer.left, blocks.top - d.outer.top, blocks.size,
                 Layout::kDrawingWidth, Layout::kDrawingHeight);
    const Box client = LayoutScale::area(
        {0, 0, Layout::toPixels(Layout::kClientWidth), Layout::toPixels(Layout::kClientHeight)},
        scale);
    page_client(client.width, client.height, LayoutScale::kRingGap, LayoutScale::kRingWidth);
    return scale / ratio;
}

} // namespace PageLayout
