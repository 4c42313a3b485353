#include "fontwarmup.h"

#include <fontconfig/fontconfig.h>

FontWarmup::FontWarmup() : thread_([] { FcInit(); }) {}

void FontWarmup::finish()
{
    if (thread_.joinable())
        thread_.join();
}
