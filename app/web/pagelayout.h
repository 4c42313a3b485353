#pragma once

#include "color.h"
#include "layouttable.h"

#include <optional>

// The window's controls on the page. Every length goes from the layout's 96-dpi grid to device
// pixels, scaled as a whole, so that each edge falls on a whole device pixel; the drawing's
// positions are square blocks of whole device pixels.
namespace PageLayout {

// Creates the controls from the layout table, in its order, and gives the keyboard focus its
// order through them.
void build();

// Lays the window out where the default font is `fontPixels` CSS pixels on a screen of `ratio`
// device pixels per CSS pixel, grown until every text fits and each drawing position is a block
// of at least a CSS pixel in whole device pixels. Given a room (a phone's screen, in CSS pixels),
// it grows, text and all, to fill the room's width as far as its height allows.
void layOut(double fontPixels, double ratio, double roomWidth = 0, double roomHeight = 0);

// Paints the window in the browser's system colours as it computes them (0x00BBGGRR), paired so
// that every text reads on its ground: an engine's own pairs may not. Returns the labels' text
// colour.
Color paintIn(Color buttonFace, Color buttonText, Color canvas, Color canvasText);

// The control with the keyboard focus, if any: the ring goes around it.
void focus(std::optional<Layout::ControlId> id);

} // namespace PageLayout
