#include "core/ReadingOrder.h"

namespace {

bool Encloses(const ReadingBox& outer, const ReadingBox& inner) {
    return outer.Left <= inner.Left && outer.Top <= inner.Top && outer.Right >= inner.Right &&
           outer.Bottom >= inner.Bottom;
}

// A stable insertion sort of [first, last): a window has a few dozen children at most, and the
// library's stable sort would weigh more in the program than the whole rule.
template <class Before>
void SortStably(std::vector<std::size_t>& order, std::size_t first, std::size_t last, Before before) {
    for (std::size_t i = first + 1; i < last; ++i) {
        const std::size_t moving = order[i];
        std::size_t at = i;
        for (; at > first && before(moving, order[at - 1]); --at)
            order[at] = order[at - 1];
        order[at] = moving;
    }
}

} // namespace

std::vector<std::size_t> ReadingOrder(const std::vector<ReadingBox>& boxes) {
    std::vector<std::size_t> order(boxes.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    SortStably(order, 0, order.size(), [&](std::size_t a, std::size_t b) {
        const ReadingBox &x = boxes[a], &y = boxes[b];
        return x.Top != y.Top ? x.Top < y.Top : x.Left < y.Left;
    });
    for (std::size_t start = 0, end = 0; start < order.size(); start = end) {
        const ReadingBox& lead = boxes[order[start]];
        for (end = start + 1; end < order.size(); ++end) {
            const ReadingBox& next = boxes[order[end]];
            if ((next.Top + next.Bottom) / 2 >= lead.Bottom || Encloses(lead, next))
                break;
        }
        SortStably(order, start, end, [&](std::size_t a, std::size_t b) { return boxes[a].Left < boxes[b].Left; });
    }
    return order;
}
