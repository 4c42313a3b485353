#include "pagelayout.h"

#include "contrast.h"
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

// Browsers' default font size, in CSS pixels, where the desktop's text is at the design density.
constexpr double kDefaultFontPixels = 16;
// The size of the controls' text where they have no font of their own: 0.75 of the default.
constexpr double kTextPoints = 9;

WindowLayout shown{1.0};
std::optional<ControlId> focused;

int idOf(const Control &c)
{
    return static_cast<int>(c.id);
}

int length(std::string_view text)
{
    return static_cast<int>(text.size());
}

// A font's size in device pixels.
double devicePixels(double points, double dpi, double ratio)
{
    return points * dpi / 72 * ratio;
}

void paintFills()
{
    int count = 0;
    for (const WindowLayout::Fill &fill : shown.fills(focused)) {
        const Box &b = fill.box;
        page_fill(count++, static_cast<int>(fill.color), b.left, b.top, b.width, b.height);
    }
    page_fillCount(count);
}

// Places every control, the fills and the drawing's blocks as `layout` has them.
void placeAll(const WindowLayout &layout, double dpi, double ratio)
{
    for (const Control &c : Layout::kControls) {
        if (c.kind == Kind::Timer)
            continue;
        const Box at = layout.box(c.id);
        page_place(idOf(c), at.left, at.top, at.width, at.height);
        if (c.font)
            page_fontSize(idOf(c), devicePixels(c.font->points, dpi, ratio));
    }
    const Box surface = layout.box(ControlId::pct1);
    const LayoutScale::Blocks blocks = layout.blocks();
    page_drawing(blocks.left - surface.left, blocks.top - surface.top, blocks.size,
                 Layout::kDrawingWidth, Layout::kDrawingHeight);
    const Box client = layout.client();
    page_client(client.width, client.height, devicePixels(kTextPoints, dpi, ratio));
    shown = layout;
    paintFills();
}

// The window at a text density of `dpi`, grown until its texts fit.
WindowLayout fittedAt(double dpi, double ratio)
{
    return WindowLayout::fitted(dpi, ratio, [&](const WindowLayout &at) {
        placeAll(at, dpi, ratio);
        return page_textShortfall();
    });
}

void addControl(const Control &c)
{
    page_addControl(idOf(c), static_cast<int>(c.kind), static_cast<int>(c.value), c.name.data(),
                    length(c.name), c.caption.data(), length(c.caption), c.accessibleName.data(),
                    length(c.accessibleName), c.accessibleDescription.data(),
                    length(c.accessibleDescription));
    for (const std::string_view text : Layout::textsToFit(c))
        page_textToFit(idOf(c), text.data(), length(text));
    if (c.font) {
        page_fontFamily(idOf(c), c.font->family.data(), length(c.font->family));
        for (const std::string_view standIn : c.font->standIns)
            page_fontFamily(idOf(c), standIn.data(), length(standIn));
    }
}

} // namespace

namespace PageLayout {

void build()
{
    for (const Control &c : Layout::kControls)
        if (c.kind != Kind::Timer)
            addControl(c);
    static constexpr auto order = Layout::focusOrder();
    std::array<int, order.size()> ids{};
    std::transform(order.begin(), order.end(), ids.begin(),
                   [](ControlId id) { return static_cast<int>(id); });
    page_focusOrder(ids.data(), static_cast<int>(ids.size()));
}

void layOut(double fontPixels, double ratio, double roomWidth, double roomHeight)
{
    double dpi = WindowLayout::kDesignDpi * fontPixels / kDefaultFontPixels;
    WindowLayout layout = fittedAt(dpi, ratio);
    // In a room: the largest whole block at which the window, its texts fitted, still fits.
    const Box unit = WindowLayout(1.0).client(); // a block of one device pixel
    const double mostWide = roomWidth * ratio, mostHigh = roomHeight * ratio;
    const int most = static_cast<int>(std::min(mostWide / unit.width, mostHigh / unit.height));
    for (int block = most; block > layout.blocks().size; --block) {
        const double grown = WindowLayout::kDesignDpi * block / ratio;
        const WindowLayout candidate = fittedAt(grown, ratio);
        const Box client = candidate.client();
        if (client.width <= mostWide && client.height <= mostHigh) {
            layout = candidate;
            dpi = grown;
            break;
        }
    }
    placeAll(layout, dpi, ratio);
}

// The face keeps its colour, and its text is black or white where the engine's own does not
// read on it (light text on a light face in a dark scheme, as one engine pairs them). Lines and
// labels, drawn on the face, take the window's text where it reads there, else the face's.
Color paintIn(Color buttonFace, Color buttonText, Color canvas, Color canvasText)
{
    const Color faceText = Contrast::readableTextOn(buttonFace, buttonText);
    const bool windowTextReads = Contrast::ratio(canvasText, buttonFace) >= Contrast::kText;
    const Color text = windowTextReads ? canvasText : faceText;
    page_colors(buttonFace, faceText, canvas, text);
    return text;
}

void focus(std::optional<ControlId> id)
{
    focused = id;
    paintFills();
}

} // namespace PageLayout
