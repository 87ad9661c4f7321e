#include "builder/link_queues.h"

// A counting sort by `from`: stable, so every group keeps table order.
LinkQueues::LinkQueues(const Tab<CageLink>& table, int pointCount)
    : links(table), groupEnd(pointCount, 0), groupHead(pointCount, 0) {
    auto inRange = [pointCount](int point) { return point >= 0 && point < pointCount; };
    std::vector<int> sizes(pointCount, 0);
    for (int k = 0; k < links.Count(); ++k)
        if (inRange(links[k].from)) ++sizes[links[k].from];
    int start = 0;
    for (int p = 0; p < pointCount; ++p) {
        groupHead[p] = start;
        start += sizes[p];
        groupEnd[p] = groupHead[p];  // advanced to the group's end as it fills
    }
    grouped.resize(start);
    for (int k = 0; k < links.Count(); ++k)
        if (inRange(links[k].from)) grouped[groupEnd[links[k].from]++] = k;
}

int LinkQueues::firstUnusedFrom(int point) {
    if (point < 0 || point >= static_cast<int>(groupHead.size())) return -1;
    int& head = groupHead[point];
    while (head < groupEnd[point] && links[grouped[head]].used != 0) ++head;
    return head < groupEnd[point] ? grouped[head] : -1;
}
