// GBA data import: options from the first bytes, then the palette, graphics,
// map and tile-group map, each preceded by its 16-bit length.
#include <cstddef>
#include <cstdint>

#include "export/gba_import.h"

namespace {

class Bytes {
  public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    unsigned Byte() { return at_ < size_ ? data_[at_++] : 0; }
    vorlin::ImportFile File(const char* name) {
        const std::size_t length = Byte() | (Byte() << 8);
        const std::size_t take = length < size_ - at_ ? length : size_ - at_;
        vorlin::ImportFile file{name, length != 0, {data_ + at_, data_ + at_ + take}};
        at_ += take;
        return file;
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const int kDepths[] = {1, 2, 4, 8, 16};
    Bytes in(data, size);
    vorlin::ImportOptions options;
    const unsigned flags = in.Byte();
    options.bpp = kDepths[flags % 5];
    options.layout = static_cast<vorlin::ImportLayout>(flags / 5 % 3);
    options.partial = (flags & 0x80) != 0;
    options.quantize = (flags & 0x40) != 0;
    options.metaBanks = (flags & 0x20) != 0;
    // Small sizes keep each run fast; 0 lets the data settle the map size.
    options.mapWidth = options.mapHeight = static_cast<int>(in.Byte() % 40);
    options.metaWidth = static_cast<int>(in.Byte() % 4 + 1);
    options.metaHeight = static_cast<int>(in.Byte() % 4 + 1);
    options.tileOffset = static_cast<std::int8_t>(in.Byte()) * 9;
    options.palStart = static_cast<int>(in.Byte());
    options.columns = static_cast<int>(in.Byte() % 32 + 1);
    if (const unsigned bitmap = in.Byte(); bitmap & 0x80) {
        options.bitmapWidth = static_cast<int>(bitmap % 64 + 1);
        options.bitmapHeight = static_cast<int>(in.Byte() % 64 + 1);
    }
    vorlin::ImportFiles files;
    files.palette = in.File("pal");
    files.graphics = in.File("img");
    files.map = in.File("map");
    files.metaMap = in.File("meta");
    vorlin::ImportGbaData(files, options);
    return 0;
}
