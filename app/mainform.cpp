#include "mainform.h"

void MainForm::click(Layout::ControlId control)
{
    using Layout::ControlId;
    switch (control) {
    case ControlId::cmd1:
        return palette_.stepUp();
    case ControlId::cmd2:
        return palette_.stepDown();
    case ControlId::cmd3:
        return animation_.start();
    case ControlId::cmd4:
        return animation_.stop();
    case ControlId::cmd5:
        return animation_.reset();
    case ControlId::cmd6:
        return animation_.selectMode(MotionMode::Fall);
    case ControlId::cmd7:
        return animation_.selectMode(MotionMode::Sort);
    case ControlId::cmd8:
        return animation_.selectMode(MotionMode::Wind);
    default:
        return;
    }
}
