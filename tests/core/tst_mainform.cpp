#include "fakeruntimeservices.h"
#include "mainform.h"

#include <doctest/doctest.h>

using Layout::ControlId;

// Each control's event reaches its handler, whatever toolkit raised it.

TEST_CASE("clicks reach their handlers")
{
    const struct
    {
        const char *what;
        ControlId control;
        const char *call; // the platform call the click makes; empty for none
        int index;
        MotionMode mode;
    } rows[] = {
        {"cmd1 >", ControlId::cmd1, "setCaption lbl1 9", 9, MotionMode::Fall},
        {"cmd2 <", ControlId::cmd2, "setCaption lbl1 7", 7, MotionMode::Fall},
        {"cmd3 Start", ControlId::cmd3, "setTimerEnabled tmr1 on", 8, MotionMode::Fall},
        {"cmd4 Stop", ControlId::cmd4, "setTimerEnabled tmr1 off", 8, MotionMode::Fall},
        {"cmd5 Reset", ControlId::cmd5, "clearSurface pct1", 8, MotionMode::Fall},
        {"cmd6 Fall", ControlId::cmd6, "", 8, MotionMode::Fall},
        {"cmd7 Sort", ControlId::cmd7, "", 8, MotionMode::Sort},
        {"cmd8 Wind", ControlId::cmd8, "", 8, MotionMode::Wind},
        {"lbl1 has no click", ControlId::lbl1, "", 8, MotionMode::Fall},
        {"pct1 has no click", ControlId::pct1, "", 8, MotionMode::Fall},
    };
    for (const auto &row : rows) {
        const auto &[what, control, call, index, mode] = row;
        CAPTURE(row.what);
        FakeRuntimeServices services;
        MainForm form(services);
        form.load();
        form.click(ControlId::cmd8); // away from the starting rule, so Fall is seen to be chosen
        form.click(ControlId::cmd6);
        services.calls.clear();
        form.click(control);
        if (*call == '\0')
            CHECK(services.calls.empty());
        else
            CHECK((!services.calls.empty() && services.calls.front() == call));
        CHECK(form.paletteStepper().index() == index);
        CHECK(form.animation().mode() == mode);
    }
}
