#pragma once

#include "pointfield.h"
#include "runtimeservices.h"

#include <array>

// The point animation: the point field, its motion rule and the timer that moves it. Each
// method is the handler of one control.
class PointAnimation
{
public:
    explicit PointAnimation(RuntimeServices &services) : services_(services) {}

    const PointField &field() const { return field_; }
    MotionMode mode() const { return mode_; }

    // Only stores the rule; the next tick moves the points from where they are.
    void selectMode(MotionMode mode) { mode_ = mode; }
    // Clears the surface and lays the points out for the current rule. Draws nothing.
    void reset();
    // Switch the timer; the points, the surface and the rule are left alone.
    void start() { services_.setTimerEnabled(TimerId::tmr1, true); }
    void stop() { services_.setTimerEnabled(TimerId::tmr1, false); }
    // Plots every point where it is, then moves it one step: two random values per point.
    void tick();

private:
    // Moves each point one step with its two values of r, recolouring under Fall and Wind.
    void move(const std::array<float, 2 * PointField::kCount> &r);

    RuntimeServices &services_;
    PointField field_;
    MotionMode mode_ = MotionMode::Fall;
};
