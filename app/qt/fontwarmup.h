#pragma once

#include <thread>

// Reads the system's font configuration on a thread of its own while the toolkit connects to
// the display. Parsing it is most of what the first measurement of text would otherwise wait
// for; done twice over, it is merely done once (the font library keeps the first result). Where
// no thread can be started, it is read at once instead.
class FontWarmup
{
public:
    FontWarmup();
    ~FontWarmup() { finish(); }
    FontWarmup(const FontWarmup &) = delete;
    FontWarmup &operator=(const FontWarmup &) = delete;

    // Waits until the configuration is read; call before anything measures text.
    void finish();

private:
    std::thread thread_;
};
