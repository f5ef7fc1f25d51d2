// The order in which a screen reader meets a window's children: pure geometry, so that the rule
// is tested natively. In lines from the top, each line from the left. A child whose middle lies
// above the bottom of its line's first child shares that line, unless the first encloses it: a
// frame is read before what it holds. So a label right of its box follows the box, and boxes
// and their labels in one row alternate, as the eye reads them.
#pragma once

#include <cstddef>
#include <vector>

struct ReadingBox {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// The indexes of `boxes` in reading order; boxes that tie keep the order they were given in.
std::vector<std::size_t> ReadingOrder(const std::vector<ReadingBox>& boxes);
