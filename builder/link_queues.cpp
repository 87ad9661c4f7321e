#include "builder/link_queues.h"

// A counting sort by `from`: stable, so every group keeps table order.
LinkQueues::LinkQueues(const Tab<CageLink>& table, int pointCount) : links(table), groups(pointCount) {
    auto inRange = [pointCount](int point) { return point >= 0 && point < pointCount; };
    for (int k = 0; k < links.Count(); ++k)
        if (inRange(links[k].from)) ++groups[links[k].from].end;  // the group's size, for now
    int start = 0;
    for (Group& group : groups) {
        int size = group.end;
        group.head = group.end = start;  // `end` grows back to the group's end as it fills
        start += size;
    }
    grouped.resize(start);
    for (int k = 0; k < links.Count(); ++k)
        if (inRange(links[k].from)) grouped[groups[links[k].from].end++] = k;
}

int LinkQueues::firstUnusedFrom(int point) {
    if (point < 0 || point >= static_cast<int>(groups.size())) return -1;
    Group& group = groups[point];
    while (group.head < group.end && links[grouped[group.head]].used != 0) ++group.head;
    return group.head < group.end ? grouped[group.head] : -1;
}
