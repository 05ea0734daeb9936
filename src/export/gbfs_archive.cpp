#include "export/gbfs_archive.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "core/little_endian.h"

namespace vorlin {

const std::uint8_t kGbfsMagic[kGbfsMagicSize] = {'P', 'i', 'n', 'E', 'i',  'g',  'h',  't',
                                                 'G', 'B', 'F', 'S', 0x0D, 0x0A, 0x1A, 0x0A};

namespace {

constexpr std::size_t kSymbolPartOfName = 21;
constexpr std::size_t kDirectoryOffset = kGbfsHeaderSize;
constexpr std::size_t kMaxEntries = 0xFFFF;
constexpr std::uint64_t kMaxArchive = std::numeric_limits<std::uint32_t>::max();

std::uint64_t AlignUp(std::uint64_t n) {
    return (n + kGbfsAlign - 1) / kGbfsAlign * kGbfsAlign;
}

bool SameName(const GbfsObject& a, const GbfsObject& b) {
    return a.name == b.name;
}

// Old objects that the new ones do not replace, in their old order.
std::vector<GbfsObject> KeptObjects(const std::vector<GbfsObject>& fresh,
                                    const std::vector<std::uint8_t>* existing) {
    std::vector<GbfsObject> old;
    if (!existing || !ReadGbfsDirectory(*existing, old)) return {};
    std::erase_if(old, [&](const GbfsObject& o) {
        return std::any_of(fresh.begin(), fresh.end(),
                           [&](const GbfsObject& f) { return SameName(f, o); });
    });
    return old;
}

struct PlacedObject {
    GbfsObject object;
    std::uint64_t offset = 0;
};

}  // namespace

GbfsName GbfsEntryName(const std::string& symbol, const std::string& suffix) {
    const std::string full = symbol.substr(0, kSymbolPartOfName) + suffix;
    GbfsName name{};
    std::memcpy(name.data(), full.data(), std::min(full.size(), kGbfsNameSize));
    return name;
}

namespace {

// An entry name for a message: printable ASCII kept, anything else as '?'.
std::string PrintableName(const std::uint8_t* entry) {
    std::string name;
    for (std::size_t i = 0; i < kGbfsNameSize && entry[i]; ++i)
        name += (entry[i] >= 0x20 && entry[i] < 0x7F) ? static_cast<char>(entry[i]) : '?';
    return name;
}

// What makes `archive` unusable, or empty when it is a sound archive.
std::string GbfsDamage(const std::vector<std::uint8_t>& archive) {
    if (archive.size() < kGbfsMagicSize ||
        std::memcmp(archive.data(), kGbfsMagic, kGbfsMagicSize) != 0)
        return "not a GBFS archive";
    if (archive.size() < kGbfsHeaderSize) return "GBFS header cut short";
    const std::uint64_t length = Le32(&archive[16]);
    if (length > archive.size())
        return "archive cut short: its header gives " + std::to_string(length) +
               " bytes, the file has " + std::to_string(archive.size());
    const std::size_t dir = Le16(&archive[20]);
    const std::size_t count = Le16(&archive[22]);
    if (dir < kGbfsHeaderSize) return "GBFS directory overlaps the header";
    if (dir + count * kGbfsEntrySize > archive.size()) return "GBFS directory cut short";
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* entry = &archive[dir + i * kGbfsEntrySize];
        const std::uint64_t size = Le32(entry + kGbfsNameSize);
        const std::uint64_t offset = Le32(entry + kGbfsNameSize + 4);
        if (offset + size > archive.size())
            return "GBFS object \"" + PrintableName(entry) + "\" lies outside the archive data";
    }
    return {};
}

}  // namespace

bool ReadGbfsDirectory(const std::vector<std::uint8_t>& archive, std::vector<GbfsObject>& out,
                       std::string* problem) {
    out.clear();
    const std::string damage = GbfsDamage(archive);
    if (problem) *problem = damage;
    if (!damage.empty()) return false;
    const std::size_t dir = Le16(&archive[20]);
    const std::size_t count = Le16(&archive[22]);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* entry = &archive[dir + i * kGbfsEntrySize];
        GbfsObject object;
        std::memcpy(object.name.data(), entry, kGbfsNameSize);
        object.data = archive.data() + Le32(entry + kGbfsNameSize + 4);
        object.size = Le32(entry + kGbfsNameSize);
        out.push_back(object);
    }
    return true;
}

std::vector<std::uint8_t> BuildGbfs(const std::vector<GbfsObject>& fresh,
                                    const std::vector<std::uint8_t>* existing) {
    // Kept old objects go first, so their data precedes the new data.
    std::vector<PlacedObject> placed;
    for (const GbfsObject& o : KeptObjects(fresh, existing)) placed.push_back({o, 0});
    for (const GbfsObject& o : fresh) placed.push_back({o, 0});
    if (placed.size() > kMaxEntries) return {};

    std::uint64_t end = kDirectoryOffset + placed.size() * kGbfsEntrySize;
    for (PlacedObject& p : placed) {
        p.offset = end;
        end = AlignUp(end + p.object.size);
    }
    if (end > kMaxArchive) return {};

    std::vector<std::uint8_t> archive(static_cast<std::size_t>(end), 0);
    for (const PlacedObject& p : placed)
        if (p.object.size) std::memcpy(&archive[p.offset], p.object.data, p.object.size);

    std::stable_sort(
        placed.begin(), placed.end(),
        [](const PlacedObject& a, const PlacedObject& b) { return a.object.name < b.object.name; });
    std::memcpy(archive.data(), kGbfsMagic, kGbfsMagicSize);
    PutLe32(&archive[16], static_cast<std::uint32_t>(end));
    PutLe16(&archive[20], kDirectoryOffset);
    PutLe16(&archive[22], static_cast<std::uint32_t>(placed.size()));
    for (std::size_t i = 0; i < placed.size(); ++i) {
        std::uint8_t* entry = &archive[kDirectoryOffset + i * kGbfsEntrySize];
        std::memcpy(entry, placed[i].object.name.data(), kGbfsNameSize);
        PutLe32(entry + kGbfsNameSize, static_cast<std::uint32_t>(placed[i].object.size));
        PutLe32(entry + kGbfsNameSize + 4, static_cast<std::uint32_t>(placed[i].offset));
    }
    return archive;
}

}  // namespace vorlin
