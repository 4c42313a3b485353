#pragma once

#include "color.h"

#include <array>
#include <cstddef>
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
// basic one by its hex triplet, "9, #1a2b3c". A caption longer than kMostCaption is cut there.
class SpokenValue
{
public:
    static constexpr std::size_t kMostCaption = 8;

    constexpr SpokenValue(std::string_view caption, Color c)
    {
        append(caption.substr(0, kMostCaption));
        append(", ");
        if (const std::string_view name = nameOf(c); !name.empty()) {
            append(name);
            return;
        }
        append("#");
        for (const int channel : {redOf(c), greenOf(c), blueOf(c)})
            for (const int digit : {channel >> 4, channel & 15})
                text_[size_++] = "0123456789abcdef"[digit];
    }
    constexpr std::string_view view() const { return {text_.data(), size_}; }

private:
    constexpr void append(std::string_view part)
    {
        for (const char c : part)
            text_[size_++] = c;
    }
    std::array<char, kMostCaption + 2 + 16> text_{}; // the longest name is 12 characters
    std::size_t size_ = 0;
};

} // namespace BasicPalette
