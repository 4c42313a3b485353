#include "palettestepper.h"

void PaletteStepper::initialise()
{
    index_ = kInitial;
    show();
}

void PaletteStepper::stepUp()
{
    if (index_ < kLast)
        ++index_;
    show();
}

void PaletteStepper::stepDown()
{
    if (index_ > kFirst)
        --index_;
    show();
}

// Caption first, background second.
void PaletteStepper::show()
{
    services_.setCaption(LabelId::lbl1, services_.intToText(index_));
    services_.setBackColor(LabelId::lbl1, services_.basicPaletteColor(index_));
}
