#include "pagelayout.h"

#include "layouttable.h"
#include "page.h"
#include "windowlayout.h"

#include <algorithm>
#include <array>
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
                c.accessibleDescription.size() + 32 + 3 * Layout::kIndexTexts.size() >=
            Fields::kSize)
            return false;
    return true;
}
static_assert(fieldsFit());

// The texts that must fit in a control, one a line.
void textsToFit(const Control &c, Fields &fields)
{
    for (const std::string_view text : Layout::textsToFit(c))
        fields.line(text);
    fields << "";
}

// Places every control and line, and the drawing's blocks, as `layout` has them.
void placeAll(const WindowLayout &layout)
{
    for (const Control &c : Layout::kControls)
        if (c.kind != Kind::Timer) {
            const Box at = layout.box(c.id);
            page_place(idOf(c), at.left, at.top, at.width, at.height);
        }
    std::array<int, Layout::kControlCount> linesOf{};
    for (const WindowLayout::Line &line : layout.lines()) {
        const Box owner = layout.box(line.owner), &b = line.box;
        page_line(static_cast<int>(line.owner), linesOf[Layout::indexOf(line.owner)]++,
                  b.left - owner.left, b.top - owner.top, b.width, b.height);
    }
    const Box surface = layout.box(ControlId::pct1);
    const LayoutScale::Blocks blocks = layout.blocks();
    page_drawing(blocks.left - surface.left, blocks.top - surface.top, blocks.size,
                 Layout::kDrawingWidth, Layout::kDrawingHeight);
    const Box client = layout.client();
    page_client(client.width, client.height, LayoutScale::kRingGap, LayoutScale::kRingWidth);
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
    static constexpr auto order = Layout::focusOrder();
    std::array<int, order.size()> ids{};
    std::transform(order.begin(), order.end(), ids.begin(),
                   [](ControlId id) { return static_cast<int>(id); });
    page_focusOrder(ids.data(), static_cast<int>(ids.size()));
    page_indexFont(static_cast<int>(ControlId::lbl1), Layout::kIndexFontPoints,
                   Layout::kIndexFontFamily.data(),
                   static_cast<int>(Layout::kIndexFontFamily.size()));
}

void layOut(double factor, double ratio)
{
    const WindowLayout layout =
        WindowLayout::fitted(factor * WindowLayout::kDesignDpi, ratio, [](const WindowLayout &at) {
            placeAll(at);
            return page_textShortfall();
        });
    placeAll(layout);
}

} // namespace PageLayout
