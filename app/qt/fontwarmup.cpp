#include "fontwarmup.h"

#include <fontconfig/fontconfig.h>

#include <system_error>

FontWarmup::FontWarmup()
{
    try {
        thread_ = std::thread([] { FcInit(); });
    } catch (const std::system_error &) {
        // No thread to be had (a process or memory limit): the text waits for it instead.
        FcInit();
    }
}

void FontWarmup::finish()
{
    if (thread_.joinable())
        thread_.join();
}
