// Placement of a Huffman tree in the BIOS table: the root in slot 0, then the
// children of every internal node as an adjacent pair (first child first),
// each internal node holding the 6-bit offset to its pair.
#pragma once

#include <cstdint>
#include <vector>

namespace vorlin {

struct HuffmanShape {
    struct Node {
        bool leaf = false;
        int symbol = 0;  // leaves
        int child0 = 0;  // internal nodes: first and second child
        int child1 = 0;
    };
    std::vector<Node> nodes;  // indexed by node number
    int root = 0;             // an internal node
};

// Largest offset an internal node can hold.
inline constexpr int kHuffmanMaxOffset = 63;

// Lays the tree out level by level (depth-first within a level) when every
// offset fits in 6 bits; otherwise pairs of small subtrees go first wherever
// the pending deadlines allow, which keeps wide trees (many symbols of similar
// frequency) within range. False when neither fits.
bool LayoutHuffmanTable(const HuffmanShape& shape, std::vector<std::uint8_t>& table);

}  // namespace vorlin
