#pragma once

#include <vector>

namespace pelmora {

// The outcome of moving the selected entries of a list by one place.
struct SelectionMove {
    // Adjacent swaps to apply in order: entry `from` trades places with entry `to`.
    struct Swap {
        int from;
        int to;
        friend bool operator==(const Swap &, const Swap &) = default;
    };
    std::vector<Swap> swaps;
    int current = -1; // the entry that becomes current afterwards; -1 when nothing is selected
};

// Moves every selected entry that has room one place up (down). A selected run that touches
// the edge stays where it is; a run away from the edge moves as a block.
SelectionMove planMoveUp(const std::vector<bool> &selected);
SelectionMove planMoveDown(const std::vector<bool> &selected);

} // namespace pelmora
