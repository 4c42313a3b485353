#pragma once

#include "color.h"

#include <cstdint>

// What the page's script does for the program: the functions of the page shell's script that
// the module imports. Lengths in bytes, boxes in device pixels within the client area.
extern "C" {
// A control, added to the client area. `fields` holds, each ended by '\x1f': the element's
// tag, its role (or nothing), its HTML id, its caption, accessible name and description (or
// nothing), and the texts that must fit in it, one a line.
void page_addControl(int id, const char *fields);
// The controls that take the keyboard focus, in the order it moves through them.
// The first of them takes the focus when the page starts.
void page_focusOrder(const int *ids, int count);
// The font of a control's text: `points` at the design density, the family where the system has
// it (UTF-8, `length` bytes), else a sans-serif face.
void page_indexFont(int id, int points, const char *family, int length);
void page_place(int id, int left, int top, int width, int height);
// Line `index` of a control (a frame's side, or the drawing surface's border), as a box
// within the control's; none where it is 0 wide or high.
void page_line(int id, int index, int left, int top, int width, int height);
// Where the drawing's `wide` x `high` positions start within the drawing surface's box, as
// square blocks of `block` device pixels.
void page_drawing(int left, int top, int block, int wide, int high);
// The controls are all there: the page lays them out and follows the screen from now on.
void page_ready();
// How far the widest text overflows its control as placed now: at most 1 where all fit.
double page_textShortfall();
// The client area's size, in device pixels; the focus ring's gap and width, in CSS pixels.
void page_client(int width, int height, int ringGap, int ringWidth);
// lbl1: its text; then its background, the text's colour on it, and the background's name.
void page_caption(const char *text, int length);
void page_back(Color back, Color text, const char *name, int nameLength);
// Ticks every `interval` milliseconds from now; none when 0.
void page_timer(int interval);
// Copies the box of the drawing's RGBA pixels (width x height, rows `width` apart) to the
// screen.
void page_present(const std::uint32_t *pixels, int left, int top, int width, int height);
}
