// Writes the window as the core decides it, for the scripts that drive the real program: the
// layout table (controls, their boxes in twips, captions, names, tab order), the drawing's size,
// the tick interval, the stepper's range, the basic colours, and the boxes in device pixels at
// the scales the scripts meet (1 and 2), with the lines drawn in the
// window-text colour.
//   writelayout FILE
#include "basicpalette.h"
#include "layouttable.h"
#include "palettestepper.h"
#include "windowlayout.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace {

std::string quoted(std::string_view s)
{
    std::string out = "\"";
    for (char c : s) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + '"';
}

// Each element of `items` as `write` gives it (none where it gives nothing), between brackets.
template<class Items, class Write>
std::string joined(const Items &items, Write write, const char *open = "[", const char *close = "]")
{
    std::string out;
    for (const auto &item : items)
        if (const std::string s = write(item); !s.empty())
            out += (out.empty() ? "" : ", ") + s;
    return open + out + close;
}

std::string list(std::initializer_list<int> values)
{
    return joined(values, [](int v) { return std::to_string(v); });
}

std::string list(const LayoutScale::Box &b)
{
    return list({b.left, b.top, b.width, b.height});
}

constexpr std::string_view kKinds[] = {"PushButton", "Timer", "DrawingSurface", "FrameRect",
                                       "Label"};

std::string control(const Layout::Control &c)
{
    return "\n    " + quoted(c.name) + ": {\"kind\": " + quoted(kKinds[static_cast<int>(c.kind)]) +
           ", \"caption\": " + quoted(c.caption) +
           ", \"twips\": " + list({c.left, c.top, c.width, c.height}) +
           ", \"tabIndex\": " + std::to_string(c.tabIndex) +
           ", \"accessibleName\": " + quoted(c.accessibleName) +
           ", \"description\": " + quoted(c.accessibleDescription) + "}";
}

std::string colour(const BasicPalette::Entry &e)
{
    return "\n    {\"rgb\": " + list({redOf(e.color), greenOf(e.color), blueOf(e.color)}) +
           ", \"name\": " + quoted(e.name) + "}";
}

std::string at(double scale)
{
    const WindowLayout layout(scale);
    const std::string boxes = joined(
        Layout::kControls,
        [&](const Layout::Control &c) {
            return c.kind == Layout::Kind::Timer ? ""
                                                 : quoted(c.name) + ": " + list(layout.box(c.id));
        },
        "{", "}");
    const std::string lines =
        joined(layout.lines(), [](const WindowLayout::Line &line) { return list(line.box); });
    const LayoutScale::Blocks b = layout.blocks();
    return "{\"client\": " + list(layout.client()) + ", \"room\": " + list(layout.drawingRoom()) +
           ", \"blocks\": " + list({b.left, b.top, b.size}) + ",\n      \"boxes\": " + boxes +
           ",\n      \"lines\": " + lines + "}";
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fputs("usage: writelayout FILE\n", stderr);
        return 2;
    }
    const std::string json =
        "{\n  \"twipsPerPixel\": " + std::to_string(Layout::kTwipsPerPixel) +
        ",\n  \"client\": " + list({Layout::kClientWidth, Layout::kClientHeight}) +
        ",\n  \"drawing\": " + list({Layout::kDrawingWidth, Layout::kDrawingHeight}) +
        ",\n  \"tickInterval\": " + std::to_string(Layout::kTickInterval) + ",\n  \"index\": " +
        list({PaletteStepper::kFirst, PaletteStepper::kLast, PaletteStepper::kInitial}) +
        ",\n  \"controls\": " + joined(Layout::kControls, control, "{", "\n  }") +
        ",\n  \"palette\": " + joined(BasicPalette::kEntries, colour, "[", "\n  ]") +
        ",\n  \"at\": {\n    \"1\": " + at(1) + ",\n    \"2\": " + at(2) + "\n  }\n}\n";
    std::FILE *file = std::fopen(argv[1], "wb");
    const bool written = file && std::fwrite(json.data(), 1, json.size(), file) == json.size();
    if (!file || std::fclose(file) != 0 || !written) {
        std::perror(argv[1]);
        return 1;
    }
    return 0;
}
