// Huffman in the BIOS layout: a tree table whose internal nodes point at their
// children's pair with a 6-bit offset, then the codes packed into 32-bit words
// from the most significant bit down.
#include <algorithm>
#include <array>
#include <new>

#include "export/compress.h"
#include "export/huffman_layout.h"

namespace vorlin {

namespace {

constexpr int kMaxSymbols = 256;
constexpr int kMaxNodes = 2 * kMaxSymbols + 1;  // 1-based leaves, then internal nodes
constexpr int kMaxCodeBits = 31;

struct HuffTree {
    int symbolCount = 0;  // 2^b
    int nodeCount = 0;    // highest node number in use
    int root = 0;
    std::array<std::uint64_t, kMaxNodes> count{};
    std::array<int, kMaxNodes> child0{};
    std::array<int, kMaxNodes> child1{};
    std::array<int, kMaxNodes> parent{};
    std::array<bool, kMaxNodes> isSecond{};

    bool IsLeaf(int node) const { return node >= 1 && node <= symbolCount; }
};

// 1-based min-heap on the nodes' counts.
class NodeHeap {
  public:
    explicit NodeHeap(const HuffTree& tree) : tree_(tree) {}
    void Push(int node) { heap_[++size_] = node; }
    int Size() const { return size_; }
    int Top() const { return heap_[1]; }
    void Heapify() {
        for (int pos = size_; pos >= 1; --pos) SiftDown(pos);
    }
    int PopTop() {
        const int top = heap_[1];
        heap_[1] = heap_[size_--];
        SiftDown(1);
        return top;
    }
    void ReplaceTop(int node) {
        heap_[1] = node;
        SiftDown(1);
    }

  private:
    std::uint64_t Count(int pos) const { return tree_.count[heap_[pos]]; }
    void SiftDown(int pos) {
        const int moving = heap_[pos];
        const std::uint64_t movingCount = tree_.count[moving];
        while (2 * pos <= size_) {
            int child = 2 * pos;
            if (child + 1 <= size_ && Count(child + 1) < Count(child)) ++child;
            if (movingCount <= Count(child)) break;
            heap_[pos] = heap_[child];
            pos = child;
        }
        heap_[pos] = moving;
    }
    const HuffTree& tree_;
    std::array<int, kMaxNodes> heap_{};
    int size_ = 0;
};

int SymbolAt(const std::uint8_t* words, std::size_t index, int bits) {
    if (bits == 8) return words[index];
    const std::uint8_t byte = words[index / 2];
    return index % 2 ? byte >> 4 : byte & 0x0F;
}

void BuildTree(HuffTree& tree, const std::uint8_t* words, std::size_t symbols, int bits) {
    tree.symbolCount = 1 << bits;
    for (std::size_t i = 0; i < symbols; ++i) ++tree.count[SymbolAt(words, i, bits) + 1];
    NodeHeap heap(tree);
    for (int v = 1; v <= tree.symbolCount; ++v)
        if (tree.count[v] > 0) heap.Push(v);
    heap.Heapify();
    tree.nodeCount = tree.symbolCount;
    if (heap.Size() == 0) heap.Push(1);  // nothing coded: any leaf keeps the table valid
    if (heap.Size() == 1) {
        // One symbol value: a root with the same leaf on both sides.
        const int leaf = heap.Top();
        tree.root = ++tree.nodeCount;
        tree.child0[tree.root] = tree.child1[tree.root] = leaf;
        tree.parent[leaf] = tree.root;
        return;
    }
    while (heap.Size() > 1) {
        const int x = heap.PopTop();
        const int y = heap.Top();
        const int k = ++tree.nodeCount;
        tree.count[k] = tree.count[x] + tree.count[y];
        tree.child0[k] = y;
        tree.child1[k] = x;
        tree.parent[y] = k;
        tree.parent[x] = k;
        tree.isSecond[x] = true;
        heap.ReplaceTop(k);
    }
    tree.root = heap.Top();
}

struct Code {
    std::uint32_t bits = 0;
    int length = 0;
};

bool MakeCodes(const HuffTree& tree, std::array<Code, kMaxSymbols>& codes) {
    for (int v = 1; v <= tree.symbolCount; ++v) {
        if (tree.parent[v] == 0) continue;
        Code& code = codes[v - 1];
        for (int node = v; node != tree.root; node = tree.parent[node]) {
            if (code.length >= kMaxCodeBits) return false;
            if (tree.isSecond[node]) code.bits |= 1u << code.length;
            ++code.length;
        }
    }
    return true;
}

HuffmanShape ShapeOf(const HuffTree& tree) {
    HuffmanShape shape;
    shape.root = tree.root;
    shape.nodes.resize(static_cast<std::size_t>(tree.nodeCount) + 1);
    for (int n = 1; n <= tree.nodeCount; ++n) {
        HuffmanShape::Node& node = shape.nodes[n];
        node.leaf = tree.IsLeaf(n);
        node.symbol = node.leaf ? n - 1 : 0;
        node.child0 = tree.child0[n];
        node.child1 = tree.child1[n];
    }
    return shape;
}

class BitWriter {
  public:
    explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}
    void Put(const Code& code) {
        for (int k = code.length - 1; k >= 0; --k) {
            word_ |= ((code.bits >> k) & 1u) << (31 - used_);
            if (++used_ == 32) Flush();
        }
    }
    void Finish() {
        if (used_ > 0) Flush();
    }

  private:
    void Flush() {
        for (int i = 0; i < 4; ++i) out_.push_back(static_cast<std::uint8_t>(word_ >> (8 * i)));
        word_ = 0;
        used_ = 0;
    }
    std::vector<std::uint8_t>& out_;
    std::uint32_t word_ = 0;
    int used_ = 0;
};

}  // namespace

std::vector<std::uint8_t> HuffCompress(const std::uint8_t* data, std::size_t size, int symbolBits) {
    if ((!data && size > 0) || size > kBiosMaxSize || (symbolBits != 4 && symbolBits != 8))
        return {};
    try {
        // A partial last word is coded too, with zero bytes after the data.
        std::vector<std::uint8_t> words(data, data + size);
        words.resize((size + 3) / 4 * 4, 0);
        const std::size_t symbols = words.size() * 8 / static_cast<std::size_t>(symbolBits);
        auto tree = std::make_unique<HuffTree>();
        BuildTree(*tree, words.data(), symbols, symbolBits);
        auto codes = std::make_unique<std::array<Code, kMaxSymbols>>();
        if (!MakeCodes(*tree, *codes)) return {};
        std::vector<std::uint8_t> table;
        if (!LayoutHuffmanTable(ShapeOf(*tree), table)) return {};

        std::vector<std::uint8_t> out(4);
        out.reserve(8 + table.size() + 2 * words.size());
        WriteBiosHeader(out, static_cast<std::uint8_t>(kBiosTypeHuffman + symbolBits), size);
        // Size byte plus table fill whole words; the size byte counts halfwords.
        std::size_t tableBytes = (1 + table.size() + 3) / 4 * 4;
        out.push_back(static_cast<std::uint8_t>(tableBytes / 2 - 1));
        out.insert(out.end(), table.begin(), table.end());
        out.resize(4 + tableBytes, 0xFF);
        BitWriter writer(out);
        for (std::size_t i = 0; i < symbols; ++i)
            writer.Put((*codes)[SymbolAt(words.data(), i, symbolBits)]);
        writer.Finish();
        return out;
    } catch (const std::bad_alloc&) {
        return {};
    }
}

}  // namespace vorlin
