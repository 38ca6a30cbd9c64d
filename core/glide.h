#pragma once
// One step of the version window's gliding title: move by a fixed step, then
// test the new position against the limit of the direction of travel, and
// turn for the next step if the label has passed it. Positions are twips in
// single precision, as the window keeps them.

#include <cstdint>

namespace glide {

inline constexpr float kStep = 100;   ///< twips per tick
inline constexpr float kMargin = 200; ///< twips kept clear of the window's edge and the icon
inline constexpr int kIntervalMs = 50;

enum Direction : std::int16_t { Right = 0, Left = 1 };

/// What the step reads afresh on each tick.
struct Limits
{
    float labelWidth; ///< the label's width
    float formWidth;  ///< the window's outer width, borders included
    float imageLeft;  ///< the icon's left edge
    float imageWidth; ///< the icon's width
};

struct State
{
    float left;
    std::int16_t direction;
};

/// The state after one tick.
State step(State s, const Limits &limits);

} // namespace glide
