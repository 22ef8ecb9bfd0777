#include "selectionmove.h"

namespace pelmora {

namespace {

// step -1 moves up, +1 moves down; entries are visited from the side they move towards.
SelectionMove planMove(std::vector<bool> selected, int step) {
    SelectionMove plan;
    const int n = static_cast<int>(selected.size());
    for (int j = 0; j < n; ++j) {
        const int i = step < 0 ? j : n - 1 - j;
        if (!selected[i])
            continue;
        plan.current = i;
        const int k = i + step;
        if (k < 0 || k >= n || selected[k])
            continue; // at the edge, or behind a selected entry that could not move
        selected[i] = false;
        selected[k] = true;
        plan.swaps.push_back({i, k});
        plan.current = k;
    }
    return plan;
}

} // namespace

SelectionMove planMoveUp(const std::vector<bool> &selected) {
    return planMove(selected, -1);
}

SelectionMove planMoveDown(const std::vector<bool> &selected) {
    return planMove(selected, +1);
}

} // namespace pelmora
