#include "export/huffman_layout.h"

#include <algorithm>

namespace vorlin {

namespace {

// Internal node placed in the table whose children's pair is still to come.
struct Pending {
    int node;
    int slot;
    int deadline;  // last pair index its offset can reach
};

int LastReachablePair(int slot) {
    // The root (slot 0) reaches pair j with offset j; a node in pair q reaches q + 1 + offset.
    return slot == 0 ? kHuffmanMaxOffset : (slot - 1) / 2 + 1 + kHuffmanMaxOffset;
}

// Internal nodes in each node's subtree, itself included (leaves count 0).
std::vector<int> SubtreeSizes(const HuffmanShape& shape) {
    std::vector<int> size(shape.nodes.size(), -1);
    std::vector<int> stack{shape.root};
    while (!stack.empty()) {
        const int node = stack.back();
        const HuffmanShape::Node& n = shape.nodes[node];
        if (n.leaf) {
            size[node] = 0;
            stack.pop_back();
        } else if (size[n.child0] >= 0 && size[n.child1] >= 0) {
            size[node] = 1 + size[n.child0] + size[n.child1];
            stack.pop_back();
        } else {
            if (size[n.child0] < 0) stack.push_back(n.child0);
            if (size[n.child1] < 0) stack.push_back(n.child1);
        }
    }
    return size;
}

// Pending nodes can all still be placed in time from pair index `next` on.
bool Schedulable(std::vector<int> deadlines, int next) {
    std::sort(deadlines.begin(), deadlines.end());
    for (std::size_t k = 0; k < deadlines.size(); ++k)
        if (deadlines[k] < next + static_cast<int>(k)) return false;
    return true;
}

class Picker {
  public:
    virtual ~Picker() = default;
    virtual std::size_t Pick(const std::vector<Pending>& pending, int pair) const = 0;
};

// The level-by-level order: first pending first.
class LevelOrder : public Picker {
  public:
    std::size_t Pick(const std::vector<Pending>&, int) const override { return 0; }
};

// Prefers the pending node with the smallest subtree, whose pairs open few new
// obligations, as long as every other pending node can still meet its
// deadline; otherwise the most urgent one.
class SmallestSubtreeFirst : public Picker {
  public:
    explicit SmallestSubtreeFirst(const HuffmanShape& shape) : size_(SubtreeSizes(shape)) {}

    std::size_t Pick(const std::vector<Pending>& pending, int pair) const override {
        std::vector<std::size_t> order(pending.size());
        for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            const int sa = size_[pending[a].node], sb = size_[pending[b].node];
            return sa != sb ? sa < sb : pending[a].deadline < pending[b].deadline;
        });
        std::vector<int> rest;
        for (std::size_t candidate : order) {
            rest.clear();
            for (std::size_t i = 0; i < pending.size(); ++i)
                if (i != candidate) rest.push_back(pending[i].deadline);
            if (Schedulable(rest, pair + 1)) return candidate;
        }
        return order.front();  // nothing fits; Place reports the missed deadline
    }

  private:
    std::vector<int> size_;
};

bool Place(const HuffmanShape& shape, const Picker& picker, std::vector<std::uint8_t>& table) {
    const int internal = static_cast<int>(shape.nodes.size());  // upper bound
    table.assign(1, 0);
    table.reserve(static_cast<std::size_t>(2 * internal + 1));
    std::vector<Pending> pending{{shape.root, 0, LastReachablePair(0)}};
    for (int pair = 0; !pending.empty(); ++pair) {
        const std::size_t chosen = picker.Pick(pending, pair);
        const Pending owner = pending[chosen];
        pending.erase(pending.begin() + static_cast<std::ptrdiff_t>(chosen));
        if (pair > owner.deadline) return false;
        const HuffmanShape::Node& n = shape.nodes[owner.node];
        const int offset = owner.slot == 0 ? pair : pair - (owner.slot - 1) / 2 - 1;
        const bool leaf0 = shape.nodes[n.child0].leaf;
        const bool leaf1 = shape.nodes[n.child1].leaf;
        table[owner.slot] =
            static_cast<std::uint8_t>(offset | (leaf0 ? 0x80 : 0) | (leaf1 ? 0x40 : 0));
        for (int child : {n.child0, n.child1}) {
            const int slot = static_cast<int>(table.size());
            table.push_back(static_cast<std::uint8_t>(shape.nodes[child].symbol));
            if (!shape.nodes[child].leaf) pending.push_back({child, slot, LastReachablePair(slot)});
        }
    }
    return true;
}

}  // namespace

bool LayoutHuffmanTable(const HuffmanShape& shape, std::vector<std::uint8_t>& table) {
    return Place(shape, LevelOrder(), table) || Place(shape, SmallestSubtreeFirst(shape), table);
}

}  // namespace vorlin
