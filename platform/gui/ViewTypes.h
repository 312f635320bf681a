// What the tree and list views share in their interface: the sort order of their items.
#pragma once
#include <cstdint>

#include "platform/core/TypInfo.h"

namespace zk {

// How a view keeps its items in order: not at all, or by caption (ASCII
// letters folded) for stText and stBoth; OnCompare, when set, has the last
// word, and under stData it alone orders.
ZK_ENUM(TSortType, uint8_t, stNone, stData, stText, stBoth)

}  // namespace zk
