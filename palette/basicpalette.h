#pragma once

#include "color.h"

#include <array>
#include <cstdio>
#include <string>
#include <string_view>

// The 16 basic colours in text-mode attribute order: 0..7 the dark forms (black, blue, green,
// cyan, red, magenta, dark yellow, light grey), 8 dark grey, 9..14 the bright forms of 1..6,
// 15 white.
namespace BasicPalette {

inline constexpr int kSize = 16;

struct Entry
{
    Color color;
    std::string_view name;
};

inline constexpr std::array<Entry, kSize> kEntries{{
    {composeRgb(0x00, 0x00, 0x00), "black"},
    {composeRgb(0x00, 0x00, 0x80), "dark blue"},
    {composeRgb(0x00, 0x80, 0x00), "dark green"},
    {composeRgb(0x00, 0x80, 0x80), "dark cyan"},
    {composeRgb(0x80, 0x00, 0x00), "dark red"},
    {composeRgb(0x80, 0x00, 0x80), "dark magenta"},
    {composeRgb(0x80, 0x80, 0x00), "dark yellow"},
    {composeRgb(0xC0, 0xC0, 0xC0), "light gray"},
    {composeRgb(0x80, 0x80, 0x80), "dark gray"},
    {composeRgb(0x00, 0x00, 0xFF), "blue"},
    {composeRgb(0x00, 0xFF, 0x00), "green"},
    {composeRgb(0x00, 0xFF, 0xFF), "cyan"},
    {composeRgb(0xFF, 0x00, 0x00), "red"},
    {composeRgb(0xFF, 0x00, 0xFF), "magenta"},
    {composeRgb(0xFF, 0xFF, 0x00), "yellow"},
    {composeRgb(0xFF, 0xFF, 0xFF), "white"},
}};

// index must lie in 0..15.
constexpr Color color(int index)
{
    return kEntries.at(static_cast<std::size_t>(index)).color;
}
// The name of the basic colour `c`; empty for any other colour.
constexpr std::string_view nameOf(Color c)
{
    for (const Entry &entry : kEntries)
        if (entry.color == c)
            return entry.name;
    return {};
}

// What a screen reader says of a value shown on its colour: "9, blue"; a colour that is not a
// basic one by its hex triplet, "9, #1a2b3c".
inline std::string spokenValue(std::string_view caption, Color c)
{
    std::string spoken(caption);
    spoken += ", ";
    if (const std::string_view name = nameOf(c); !name.empty())
        return spoken.append(name);
    char hex[8];
    std::snprintf(hex, sizeof hex, "#%02x%02x%02x", redOf(c), greenOf(c), blueOf(c));
    return spoken.append(hex);
}

} // namespace BasicPalette
