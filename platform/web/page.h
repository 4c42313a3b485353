#pragma once

#include "color.h"

#include <cstdint>

// What the page's script does for the program: the functions of the page shell's script that
// the module imports. Texts are UTF-8 with their lengths in bytes; boxes are in device pixels
// within the client area.
extern "C" {
// A control, added to the client area: its kind (Layout::Kind) and how it shows the stepper's
// value (Layout::Value), its HTML id, caption, accessible name and description (either may be
// empty).
void page_addControl(int id, int kind, int value, const char *name, int nameLength,
                     const char *caption, int captionLength, const char *accessibleName,
                     int accessibleNameLength, const char *description, int descriptionLength);
// A text that must fit in a control.
void page_textToFit(int id, const char *text, int length);
// A family for a control's text, after those given before; the page's sans-serif face follows.
void page_fontFamily(int id, const char *family, int length);
// The controls that take the keyboard focus, in the order it moves through them.
void page_focusOrder(const int *ids, int count);
// The controls are all there: the page lays them out, puts the focus on `initialFocus` and
// follows the screen from now on.
void page_ready(int initialFocus);
void page_place(int id, int left, int top, int width, int height);
// The size of a control's own font, in device pixels.
void page_fontSize(int id, double pixels);
// Fill `index` beneath the controls: a box in a system colour (Layout::SystemColor). Fills from
// `count` on are not shown.
void page_fill(int index, int color, int left, int top, int width, int height);
void page_fillCount(int count);
// Where the drawing's `wide` x `high` positions start within the drawing surface's box, as
// square blocks of `block` device pixels.
void page_drawing(int left, int top, int block, int wide, int high);
// How far the widest text overflows its control as placed now: at most 1 where all fit.
double page_textShortfall();
// The colours the window is painted in, in place of the system's: the face (the client's
// ground and the buttons') and the text paired with it, the window's ground, and the colour of
// lines and of labels' text.
void page_colors(Color face, Color faceText, Color window, Color text);
// The client area's size, and the size of its text where a control has no font of its own.
void page_client(int width, int height, double textPixels);
// The value label: its text; then its background, the text's colour on it, and what a screen
// reader says of it.
void page_caption(const char *text, int length);
void page_back(Color back, Color text, const char *spoken, int spokenLength);
// Ticks every `interval` milliseconds from now; none when 0.
void page_timer(int interval);
// Copies the box of the drawing's RGBA pixels (width x height, rows `width` apart) to the
// screen.
void page_present(const std::uint32_t *pixels, int left, int top, int width, int height);
}
