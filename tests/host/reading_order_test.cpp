#include <gtest/gtest.h>

#include <vector>

#include "core/ReadingOrder.h"

namespace {

TEST(ReadingOrder, ReadsLinesFromTheTopEachFromTheLeftAndAFrameBeforeWhatItHolds) {
    const struct {
        const char* what;
        std::vector<ReadingBox> boxes; // left, top, right, bottom
        std::vector<std::size_t> order;
    } cases[] = {
        {"nothing", {}, {}},
        {"two lines, given bottom first", {{0, 40, 50, 60}, {0, 0, 50, 20}}, {1, 0}},
        {"a label right of its box, a little higher, follows the box",
         {{60, 0, 100, 16}, {0, 2, 50, 22}}, {1, 0}},
        {"a box and label pairs in one row alternate",
         {{70, 2, 100, 18}, {110, 0, 160, 20}, {0, 0, 60, 20}, {170, 2, 200, 18}}, {2, 0, 1, 3}},
        {"something lower than the middle of the line's first starts a new line",
         {{0, 0, 50, 20}, {60, 10, 100, 30}}, {0, 1}},
        {"a frame is read before what it holds, which makes lines of its own",
         {{20, 20, 60, 40}, {10, 10, 200, 100}, {70, 20, 110, 40}}, {1, 0, 2}},
        {"ties keep the order they came in", {{0, 0, 10, 10}, {0, 0, 10, 10}, {0, 0, 10, 10}}, {0, 1, 2}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadingOrder(c.boxes), c.order) << c.what;
}

} // namespace
