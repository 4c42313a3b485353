#pragma once

// The window's controls on the page. Every length goes from the layout's 96-dpi grid to device
// pixels, scaled as a whole, so that each edge falls on a whole device pixel; the drawing's
// positions are square blocks of whole device pixels.
namespace PageLayout {

// Creates the controls from the layout table, in its order, and gives the keyboard focus its
// order through them.
void build();

// Places every control at `factor` CSS pixels per 96-dpi pixel (at least 1) on a screen of
// `ratio` device pixels per CSS pixel. The factor grows where the drawing needs it: each
// position is a block of at least `ratio` device pixels, rounded up to a whole number. Returns
// the factor used, at which a second call places everything where it is.
double place(double factor, double ratio);

} // namespace PageLayout
