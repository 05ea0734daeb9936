// GBFS archives: a 32-byte header, a directory of 32-byte entries sorted by
// name, and the objects, each starting on a 16-byte boundary. Built in memory
// so that the file on disk is replaced in one step.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vorlin {

inline constexpr std::size_t kGbfsHeaderSize = 32;
inline constexpr std::size_t kGbfsEntrySize = 32;
inline constexpr std::size_t kGbfsNameSize = 24;
inline constexpr std::size_t kGbfsAlign = 16;
inline constexpr std::size_t kGbfsMagicSize = 16;
extern const std::uint8_t kGbfsMagic[kGbfsMagicSize];

using GbfsName = std::array<std::uint8_t, kGbfsNameSize>;

// The first 21 characters of the symbol, then the array suffix, cut to 24
// bytes and padded with zeros (no terminator when all 24 are used).
GbfsName GbfsEntryName(const std::string& symbol, const std::string& suffix);

struct GbfsObject {
    GbfsName name{};
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
};

// Objects of a well-formed archive, pointing into `archive`, in directory
// order; false when it is not an archive or is damaged, with what is wrong in
// `problem` when given.
bool ReadGbfsDirectory(const std::vector<std::uint8_t>& archive, std::vector<GbfsObject>& out,
                       std::string* problem = nullptr);

// An archive of `fresh`. With `existing` (an earlier archive, or null), its
// objects whose names `fresh` does not use are kept, their data before the new
// data; an existing file that is not a well-formed archive is not merged.
// Empty when the archive would exceed the format's 32-bit sizes or 65535 entries.
std::vector<std::uint8_t> BuildGbfs(const std::vector<GbfsObject>& fresh,
                                    const std::vector<std::uint8_t>* existing);

}  // namespace vorlin
