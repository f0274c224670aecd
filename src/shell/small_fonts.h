// The small-font layout: fixed sizes and positions that a window's load sets, in order,
// on a display of 105 pixels per inch or fewer. Nothing is scaled or computed.
#pragma once

#include "host/form.h"

#include <span>

namespace shell {

enum class Property { Left, Top, Width, Height, X1, Y1, X2, Y2 };

struct Move {
    const char* control; // nullptr: the window itself
    int index;
    Property property;
    float value;
};

// A move that a page inserts into the frame's layout, after the frame's step of that number.
struct StepMove {
    int afterStep;
    Move move;
};

// Sets each value in turn.
void apply(host::Form& form, std::span<const Move> moves);
inline void apply(host::Form& form, const Move& move) { apply(form, std::span<const Move>(&move, 1)); }

} // namespace shell
