#pragma once

#include "randomsource.h"
#include "runtimeservices.h"

#include <deque>
#include <random>
#include <string>
#include <vector>

// Records what the logic asks of the platform. Random values come from `script` while it lasts,
// then from a fixed-seed engine, so long runs are repeatable.
class FakeRuntimeServices final : public RuntimeServices
{
public:
    struct Plot
    {
        int x, y;
        Color color;
        bool operator==(const Plot &) const = default;
    };

    explicit FakeRuntimeServices(unsigned seed = 1) : engine_(seed) {}

    std::deque<float> script;
    int randomsTaken = 0;
    bool keepPlots = true;
    std::vector<Plot> plots;
    // Every other call that changes something, as text: "setCaption lbl1 8", "clearSurface pct1".
    std::vector<std::string> calls;
    bool timerEnabled = false;

    float randomUnit() override
    {
        ++randomsTaken;
        if (script.empty())
            return unitFromBits(static_cast<std::uint32_t>(engine_()));
        const float r = script.front();
        script.pop_front();
        return r;
    }
    Color basicPaletteColor(std::int16_t index) override
    {
        return composeRgb(index * 16, index * 16, index * 16);
    }
    std::string intToText(std::int16_t value) override { return std::to_string(value); }

    void setCaption(LabelId, std::string_view text) override
    {
        calls.push_back("setCaption lbl1 " + std::string(text));
    }
    void setBackColor(LabelId, Color color) override
    {
        calls.push_back("setBackColor lbl1 " + std::to_string(color));
    }
    void setTimerEnabled(TimerId, bool enabled) override
    {
        timerEnabled = enabled;
        calls.push_back(enabled ? "setTimerEnabled tmr1 on" : "setTimerEnabled tmr1 off");
    }
    void clearSurface(SurfaceId) override { calls.push_back("clearSurface pct1"); }
    void plotPixel(SurfaceId, std::int16_t x, std::int16_t y, Color color) override
    {
        if (keepPlots)
            plots.push_back({x, y, color});
    }

private:
    std::mt19937 engine_;
};
