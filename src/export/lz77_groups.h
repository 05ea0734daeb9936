// The BIOS LZ77 item layout: up to eight items (a literal byte or a two-byte
// copy) behind one flag byte whose bits, most significant first, mark copies.
#pragma once

#include <cstdint>
#include <vector>

namespace vorlin {

inline constexpr int kLz77MinMatch = 3;
inline constexpr int kLz77MaxMatch = 18;
inline constexpr int kLz77Window = 4096;

class Lz77GroupWriter {
  public:
    explicit Lz77GroupWriter(std::vector<std::uint8_t>& out) : out_(out) {}
    void Literal(std::uint8_t byte) {
        items_[used_++] = byte;
        Next(false);
    }
    void Match(int length, int distance) {
        const int d = distance - 1;
        items_[used_++] = static_cast<std::uint8_t>(((length - kLz77MinMatch) << 4) | (d >> 8));
        items_[used_++] = static_cast<std::uint8_t>(d & 0xFF);
        Next(true);
    }
    void Finish() {
        if (count_ > 0) Flush();
    }

  private:
    void Next(bool match) {
        if (match) flags_ |= static_cast<std::uint8_t>(0x80 >> count_);
        if (++count_ == 8) Flush();
    }
    void Flush() {
        out_.push_back(flags_);
        out_.insert(out_.end(), items_, items_ + used_);
        flags_ = 0;
        count_ = used_ = 0;
    }
    std::vector<std::uint8_t>& out_;
    std::uint8_t items_[16];
    std::uint8_t flags_ = 0;
    int count_ = 0;
    int used_ = 0;
};

}  // namespace vorlin
