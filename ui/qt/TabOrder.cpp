#include "ui/qt/TabOrder.h"

#include <algorithm>

namespace ui::qt {

namespace {

// Splits `group` where no control spans the cut along one axis; each part
// keeps its controls. One part means the axis offers no cut.
std::vector<std::vector<int>> cut(const std::vector<ui::Rect>& places, std::vector<int> group, bool rows) {
    auto start = [&](int i) { return rows ? places[i].top : places[i].left; };
    auto end = [&](int i) { return rows ? places[i].top + places[i].height : places[i].left + places[i].width; };
    std::stable_sort(group.begin(), group.end(), [&](int a, int b) { return start(a) < start(b); });
    std::vector<std::vector<int>> parts;
    int reach = 0;
    for (int i : group) {
        if (parts.empty() || start(i) >= reach) parts.emplace_back();
        parts.back().push_back(i);
        reach = std::max(reach, end(i));
    }
    return parts;
}

void order(const std::vector<ui::Rect>& places, const std::vector<int>& group, std::vector<int>& out) {
    if (group.size() <= 1) {
        out.insert(out.end(), group.begin(), group.end());
        return;
    }
    auto parts = cut(places, group, true);
    if (parts.size() == 1) parts = cut(places, group, false);
    if (parts.size() == 1) {
        // Overlapping controls: reading order, top first, then left.
        std::vector<int> rest = group;
        std::stable_sort(rest.begin(), rest.end(), [&](int a, int b) {
            return places[a].top != places[b].top ? places[a].top < places[b].top : places[a].left < places[b].left;
        });
        out.insert(out.end(), rest.begin(), rest.end());
        return;
    }
    for (const auto& part : parts) order(places, part, out);
}

}  // namespace

std::vector<int> tabOrder(const std::vector<ui::Rect>& places) {
    std::vector<int> all(places.size());
    for (std::size_t i = 0; i < places.size(); ++i) all[i] = static_cast<int>(i);
    std::vector<int> out;
    order(places, all, out);
    return out;
}

}  // namespace ui::qt
