#pragma once

#include "layouttable.h"
#include "palettestepper.h"
#include "pointanimation.h"
#include "runtimeservices.h"

// What the window is, whatever toolkit shows it: the state it owns for its whole life (the point
// animation and the palette stepper) and the handler each of its events goes to. A front-end
// creates the controls from the layout table and passes on "load", "this control was clicked"
// and "tick".
class MainForm
{
public:
    explicit MainForm(RuntimeServices &services) : animation_(services), palette_(services) {}

    // Once, after the controls exist and before the window is first shown.
    void load() { palette_.initialise(); }
    // A push button's click; the other controls have no click handler.
    void click(Layout::ControlId control);
    // tmr1's tick.
    void tick() { animation_.tick(); }

    const PointAnimation &animation() const { return animation_; }
    const PaletteStepper &paletteStepper() const { return palette_; }

private:
    PointAnimation animation_;
    PaletteStepper palette_;
};
