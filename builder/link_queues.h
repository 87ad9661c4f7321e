// The link records grouped by `from`, each group in table order, so that the
// first unused record leaving a cage point is found without a scan of the
// whole table.
#pragma once
#include <vector>
#include "builder/cage_tables.h"

class LinkQueues {
public:
    // Groups the records of `links` by `from`; `from` values outside
    // [0, pointCount) belong to no group.
    LinkQueues(const Tab<CageLink>& links, int pointCount);

    // The first record in table order whose `from` is `point` and whose
    // `used` is 0; -1 when there is none. Records found used are passed for
    // good, which is sound because nothing turns a used record unused again:
    // each record is passed at most once over all calls.
    int firstUnusedFrom(int point);

private:
    // A point's group in `grouped`: [head, end), head the first position not yet passed.
    struct Group {
        int head = 0;
        int end = 0;
    };
    const Tab<CageLink>& links;
    std::vector<int> grouped;  // record indices, group by group, each group in table order
    std::vector<Group> groups;  // per point
};
