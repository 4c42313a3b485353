#pragma once

#include "layoutscale.h"
#include "palettestepper.h"
#include "pointfield.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

// The window's fixed layout, in twips (1/1440 inch; 15 twips make one pixel at 96 dots per inch).
namespace Layout {

// Every control of the window, by its name in the layout.
enum class ControlId : std::uint8_t
{
    cmd1,
    cmd2,
    cmd3,
    cmd4,
    cmd5,
    cmd6,
    cmd7,
    cmd8,
    tmr1,
    pct1,
    Shape1,
    shp2,
    shp1,
    Label1,
    lbl1
};
inline constexpr std::size_t kControlCount = 15;

enum class Kind
{
    PushButton,
    Timer,
    DrawingSurface,
    FrameRect,
    Label
};

// kNoTab: the control takes no keyboard focus.
inline constexpr int kNoTab = -1;

// How a control shows the palette stepper's value: the label it is written on, and the
// buttons that step it, whose description repeats it so that it is spoken after a step.
enum class Value : std::uint8_t
{
    None,
    Shown,
    Echoed
};

// A font by its family, the families that stand in for it where the system lacks it (a
// front-end's generic sans-serif face after them), and its size.
struct Font
{
    std::string_view family;
    std::array<std::string_view, 1> standIns;
    int points;
};
// lbl1's font.
inline constexpr Font kIndexFont{"MS Sans Serif", {"Microsoft Sans Serif"}, 18};

struct Control
{
    ControlId id;
    std::string_view name;
    Kind kind;
    std::string_view caption;
    int left, top, width, height; // twips, within the client area
    int tabIndex;
    std::string_view accessibleName;        // where the caption does not say it
    std::string_view accessibleDescription; // what the control does or shows
    const Font *font;                       // null: the system's font for controls
    Value value;                            // how the control shows the stepper's value
};

// The window's caption.
inline constexpr std::string_view kTitle = "Fizzet";

inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kClientWidth = 2985;
inline constexpr int kClientHeight = 4665;
// tmr1's interval in milliseconds.
inline constexpr int kTickInterval = 25;
// pct1's drawing positions, inside its border: one per place a point can be.
inline constexpr int kDrawingWidth = PointField::kMaxX + 1;  // 183
inline constexpr int kDrawingHeight = PointField::kMaxY + 1; // 128
// pct1's border, in pixels at 96 dpi: a line along the top, left and right, none at the bottom
// (where the frame below takes over), so 185 x 129 overall.
struct Margins
{
    int left, top, right, bottom;
};
inline constexpr Margins kSurfaceBorder{1, 1, 1, 0};
// The system colours the window is drawn in, which each front-end maps to its own: the client
// area's ground, the drawing surface's, and the lines (frames, the surface's border, the focus
// ring) and the labels' text.
enum class SystemColor
{
    Face,
    Window,
    WindowText
};
inline constexpr SystemColor kClientColor = SystemColor::Face;
inline constexpr SystemColor kSurfaceColor = SystemColor::Window;
inline constexpr SystemColor kLineColor = SystemColor::WindowText;
inline constexpr SystemColor kLabelTextColor = SystemColor::WindowText;

constexpr int toPixels(int twips)
{
    return twips / kTwipsPerPixel;
}

// In creation order. Later bands overlap earlier ones by 15 twips so frame lines coincide.
inline constexpr std::array<Control, kControlCount> kControls{{
    {ControlId::cmd5, "cmd5", Kind::PushButton, "Reset", 1200, 1320, 615, 495, 10, "",
     "Clear the drawing and lay the points out afresh", nullptr, Value::None},
    {ControlId::cmd6, "cmd6", Kind::PushButton, "Fall", 240, 3960, 615, 495, 9, "",
     "Points drop down and wrap around", nullptr, Value::None},
    {ControlId::cmd8, "cmd8", Kind::PushButton, "Wind", 2160, 3960, 615, 495, 8, "",
     "Points drift to the right and wrap around", nullptr, Value::None},
    {ControlId::cmd7, "cmd7", Kind::PushButton, "Sort", 1200, 3960, 615, 495, 7, "",
     "Points jitter about at random", nullptr, Value::None},
    {ControlId::tmr1, "tmr1", Kind::Timer, "", 0, 0, 0, 0, kNoTab, "", "", nullptr, Value::None},
    {ControlId::pct1, "pct1", Kind::DrawingSurface, "", 120, 1920, 2775, 1935, 6, "Point animation",
     "183 colored points that leave trails", nullptr, Value::None},
    {ControlId::cmd4, "cmd4", Kind::PushButton, "Stop", 2160, 1320, 615, 495, 5, "",
     "Stop the animation", nullptr, Value::None},
    {ControlId::cmd3, "cmd3", Kind::PushButton, "Start", 240, 1320, 615, 495, 4, "",
     "Start the animation", nullptr, Value::None},
    {ControlId::cmd2, "cmd2", Kind::PushButton, "<", 240, 240, 495, 495, 1, "Previous basic color",
     "", nullptr, Value::Echoed},
    {ControlId::cmd1, "cmd1", Kind::PushButton, ">", 2280, 240, 495, 495, 0, "Next basic color", "",
     nullptr, Value::Echoed},
    {ControlId::Shape1, "Shape1", Kind::FrameRect, "", 120, 3840, 2775, 735, kNoTab, "", "",
     nullptr, Value::None},
    {ControlId::shp2, "shp2", Kind::FrameRect, "", 120, 1200, 2775, 735, kNoTab, "", "", nullptr,
     Value::None},
    {ControlId::shp1, "shp1", Kind::FrameRect, "", 120, 120, 2775, 1095, kNoTab, "", "", nullptr,
     Value::None},
    {ControlId::Label1, "Label1", Kind::Label, "Basic Windows colors", 240, 840, 2535, 255, 3, "",
     "", nullptr, Value::None},
    // Named by what it shows, "8, dark gray", once a value is set.
    {ControlId::lbl1, "lbl1", Kind::Label, "", 840, 240, 1335, 495, 2, "", "Current basic color",
     &kIndexFont, Value::Shown},
}};

// The row of a control.
constexpr const Control &control(ControlId id)
{
    for (const Control &c : kControls)
        if (c.id == id)
            return c;
    return kControls.front(); // unreachable: every id has a row
}

constexpr std::size_t indexOf(ControlId id)
{
    return static_cast<std::size_t>(id);
}

// A control's place on the 96-dpi grid, in pixels.
constexpr LayoutScale::Box gridBox(const Control &c)
{
    return {toPixels(c.left), toPixels(c.top), toPixels(c.width), toPixels(c.height)};
}

// Every index lbl1 can show, as it shows them: in decimal, from PaletteStepper::kFirst up.
inline constexpr std::array<std::string_view, 16> kIndexTexts{
    "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15"};
static_assert(kIndexTexts.size() == PaletteStepper::kLast - PaletteStepper::kFirst + 1);

// The texts a control must have room for: its caption, or every index for the value label.
constexpr std::span<const std::string_view> textsToFit(const Control &c)
{
    if (c.value == Value::Shown)
        return kIndexTexts;
    return {&c.caption, 1};
}

// Whether the keyboard focus stops at a control: those with a tab index but the labels.
constexpr bool takesFocus(const Control &c)
{
    return c.tabIndex != kNoTab && c.kind != Kind::Label;
}

// The controls that take the keyboard focus, in ascending tab index: the order it moves in.
inline constexpr auto kFocusStops =
    static_cast<std::size_t>(std::count_if(kControls.begin(), kControls.end(), takesFocus));
constexpr std::array<ControlId, kFocusStops> focusOrder()
{
    std::array<const Control *, kFocusStops> stops{};
    std::size_t n = 0;
    for (const Control &c : kControls)
        if (takesFocus(c))
            stops[n++] = &c;
    std::sort(stops.begin(), stops.end(),
              [](const Control *a, const Control *b) { return a->tabIndex < b->tabIndex; });
    std::array<ControlId, kFocusStops> ids{};
    for (std::size_t i = 0; i < kFocusStops; ++i)
        ids[i] = stops[i]->id;
    return ids;
}
// Where the focus is when the window first shows: the first stop.
inline constexpr ControlId kInitialFocus = focusOrder()[0];

// The lines drawn in the window-text colour: the frames' four sides, and the surface's border
// where it has one.
inline constexpr std::size_t kLineCount =
    4 * static_cast<std::size_t>(
            std::count_if(kControls.begin(), kControls.end(),
                          [](const Control &c) { return c.kind == Kind::FrameRect; })) +
    (kSurfaceBorder.left > 0) + (kSurfaceBorder.top > 0) + (kSurfaceBorder.right > 0) +
    (kSurfaceBorder.bottom > 0);

} // namespace Layout
