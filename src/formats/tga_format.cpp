#include "formats/tga_format.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/little_endian.h"
#include "formats/byte_sink.h"
#include "formats/byte_source.h"
#include "formats/format_error.h"
#include "formats/format_messages.h"
#include "formats/read_limits.h"
#include "formats/read_warnings.h"

namespace vorlin {

namespace {

constexpr std::size_t kHeaderSize = 18;
constexpr std::uint8_t kTopFirst = 0x20;
constexpr std::uint8_t kRightToLeft = 0x10;
constexpr std::uint8_t kRunPacket = 0x80;
constexpr std::uint8_t kAlphaBits = 8;

struct TgaHeader {
    int idLength, colorMapType, imageType;
    int firstEntry, mapLength, entryBits;
    int width, height, bpp, descriptor;
};

TgaHeader ParseHeader(const std::uint8_t* h) {
    return TgaHeader{h[0], h[1],         h[2],         Le16(h + 3), Le16(h + 5),
                     h[7], Le16(h + 12), Le16(h + 14), h[16],       h[17]};
}

std::uint8_t Expand5(int c) {
    return static_cast<std::uint8_t>(c * 255 / 31);
}

RgbQuad MapEntry(const std::uint8_t* e, int entryBits) {
    if (entryBits >= 24) return RgbQuad{e[0], e[1], e[2], 0};
    const int word = Le16(e);
    return RgbQuad{Expand5(word & 31), Expand5((word >> 5) & 31), Expand5((word >> 10) & 31), 0};
}

// The colour map as the file holds it: mapLength entries for the indices
// firstEntry onwards (the published layout). A map cut short by the end of the
// file reads as black; the rows after it are then missing too.
std::vector<RgbQuad> ReadColorMap(ByteReader& in, const TgaHeader& h) {
    if (h.entryBits != 15 && h.entryBits != 16 && h.entryBits != 24 && h.entryBits != 32)
        FailWith(kMsgTgaPaletteEntries);
    const std::size_t entryBytes = static_cast<std::size_t>(h.entryBits + 7) / 8;
    std::vector<std::uint8_t> raw(entryBytes * static_cast<std::size_t>(h.mapLength));
    in.ReadOrZero(raw.data(), raw.size());
    std::vector<RgbQuad> map(static_cast<std::size_t>(h.mapLength));
    for (std::size_t j = 0; j < map.size(); ++j)
        map[j] = MapEntry(raw.data() + entryBytes * j, h.entryBits);
    return map;
}

// The entries [first, end) of the dib's table that the map defines; indices
// outside the dib's table are dropped, the rest of the table is black.
struct DefinedEntries {
    int first = 0;
    int end = 0;
};

DefinedEntries ApplyColorMap(const std::vector<RgbQuad>& map, int firstEntry, PackedDib dib) {
    RgbQuad* table = DibColors(dib);
    const int tableSize = DibColorCount(dib);
    std::fill(table, table + tableSize, RgbQuad{0, 0, 0, 0});
    const int end = std::clamp(firstEntry + static_cast<int>(map.size()), 0, tableSize);
    for (int i = firstEntry; i < end; ++i) table[i] = map[static_cast<std::size_t>(i - firstEntry)];
    return DefinedEntries{std::min(firstEntry, end), end};
}

// Grey images carry no colour map; their indices are grey levels.
void SetGreyRamp(PackedDib dib) {
    const int colors = DibColorCount(dib);
    RgbQuad* table = DibColors(dib);
    for (int i = 0; i < colors; ++i) {
        const auto g = static_cast<std::uint8_t>(i * 255 / (colors - 1));
        table[i] = RgbQuad{g, g, g, 0};
    }
}

// Where pixels are stored: sub-byte depths move whole bytes, others whole pixels.
struct UnitLayout {
    std::size_t unitBytes;
    std::size_t unitsPerRow;
};

UnitLayout UnitsFor(int width, int bpp) {
    const std::size_t w = static_cast<std::size_t>(width);
    if (bpp < 8) return UnitLayout{1, (w * static_cast<std::size_t>(bpp) + 7) / 8};
    return UnitLayout{static_cast<std::size_t>(bpp) / 8, w};
}

UnitLayout UnitsOf(PackedDib dib) {
    return UnitsFor(DibWidth(dib), DibBitCount(dib));
}

// A run packet repeats one pixel at most this many times.
constexpr std::uint64_t kLongestRun = 128;

std::uint64_t RawRowBytes(const TgaHeader& h) {
    const UnitLayout u = UnitsFor(h.width, h.bpp);
    return u.unitBytes * u.unitsPerRow;
}

// Refuses at once a picture the bytes left cannot describe: raw data must hold
// the first row, run-length data must reach the whole picture when every packet
// is a longest run. What the data really delivers is checked afterwards.
void CheckDataCanFill(const TgaHeader& h, std::uint64_t remaining) {
    const UnitLayout u = UnitsFor(h.width, h.bpp);
    const std::uint64_t units = u.unitsPerRow * static_cast<std::uint64_t>(h.height);
    const bool runLength = h.imageType >= 9;
    if (!runLength && remaining < RawRowBytes(h)) FailWith(kMsgFileTooShort);
    if (runLength && units > kLongestRun * (remaining / (1 + u.unitBytes)))
        FailWith(kMsgFileTooShort);
}

// Returns how many rows were incomplete (left zero).
int ReadRawRows(ByteReader& in, PackedDib dib) {
    const UnitLayout u = UnitsOf(dib);
    const std::size_t rowBytes = u.unitBytes * u.unitsPerRow;
    int incomplete = 0;
    for (int y = 0; y < DibHeight(dib); ++y)
        if (in.Read(DibRow(dib, y), rowBytes) < rowBytes) ++incomplete;
    return incomplete;
}

// Run-length packets fill the picture in file order, runs crossing rows; they
// are walked up to the picture's last unit (`total`) or the end of the data,
// handing each unit to `put`. Returns how many units the data describes.
template <typename Put>
std::size_t WalkPackets(const std::vector<std::uint8_t>& data, std::size_t unitBytes,
                        std::size_t total, Put&& put) {
    std::size_t pos = 0, done = 0;
    while (done < total && pos < data.size()) {
        const std::uint8_t packet = data[pos++];
        const std::size_t count = std::min<std::size_t>((packet & 0x7F) + 1, total - done);
        if (packet & kRunPacket) {
            if (data.size() - pos < unitBytes) break;
            for (std::size_t i = 0; i < count; ++i) put(done++, data.data() + pos);
            pos += unitBytes;
        } else {
            for (std::size_t i = 0; i < count && data.size() - pos >= unitBytes; ++i) {
                put(done++, data.data() + pos);
                pos += unitBytes;
            }
        }
    }
    return done;
}

// The packets of a run-length picture, read before anything is allocated, and
// how many whole rows they describe.
struct RunLengthData {
    std::vector<std::uint8_t> bytes;
    std::uint64_t rows = 0;
};

RunLengthData ReadPackets(ByteReader& in, const TgaHeader& h) {
    const UnitLayout u = UnitsFor(h.width, h.bpp);
    const std::size_t total = u.unitsPerRow * static_cast<std::size_t>(h.height);
    RunLengthData packets;
    // No packet is shorter than one byte per pixel: more data than that is never used.
    packets.bytes = in.ReadRest(2 * total * u.unitBytes + 16);
    const std::size_t units =
        WalkPackets(packets.bytes, u.unitBytes, total, [](std::size_t, const std::uint8_t*) {});
    packets.rows = units / u.unitsPerRow;
    return packets;
}

// Returns how many rows were incomplete (left zero where no data came).
int ReadRunLengthRows(const std::vector<std::uint8_t>& data, PackedDib dib) {
    const UnitLayout u = UnitsOf(dib);
    const std::size_t total = u.unitsPerRow * static_cast<std::size_t>(DibHeight(dib));
    const std::size_t done =
        WalkPackets(data, u.unitBytes, total, [&](std::size_t unit, const std::uint8_t* value) {
            std::uint8_t* row = DibRow(dib, static_cast<int>(unit / u.unitsPerRow));
            std::memcpy(row + (unit % u.unitsPerRow) * u.unitBytes, value, u.unitBytes);
        });
    return DibHeight(dib) - static_cast<int>(done / u.unitsPerRow);
}

void MirrorRows(PackedDib dib) {
    const int bpp = DibBitCount(dib);
    const int width = DibWidth(dib);
    for (int y = 0; y < DibHeight(dib); ++y) {
        std::uint8_t* row = DibRow(dib, y);
        if (bpp >= 8) {
            const std::size_t n = static_cast<std::size_t>(bpp) / 8;
            for (int a = 0, b = width - 1; a < b; ++a, --b)
                std::swap_ranges(row + a * n, row + a * n + n, row + b * n);
            continue;
        }
        const int perByte = 8 / bpp, mask = (1 << bpp) - 1;
        auto get = [&](int x) {
            return (row[x / perByte] >> (8 - bpp * (x % perByte + 1))) & mask;
        };
        auto set = [&](int x, int v) {
            const int shift = 8 - bpp * (x % perByte + 1);
            row[x / perByte] =
                static_cast<std::uint8_t>((row[x / perByte] & ~(mask << shift)) | (v << shift));
        };
        for (int a = 0, b = width - 1; a < b; ++a, --b) {
            const int va = get(a), vb = get(b);
            set(a, vb);
            set(b, va);
        }
    }
}

// Pixels follow the program's conventions: no attribute bit in 5-5-5 words and
// 255 - alpha in the fourth byte of 32-bit pixels (0 is opaque), as PNG files give.
void NormalisePixels(PackedDib dib) {
    const int bpp = DibBitCount(dib);
    if (bpp != 16 && bpp != 32) return;
    for (int y = 0; y < DibHeight(dib); ++y) {
        std::uint8_t* row = DibRow(dib, y);
        for (int x = 0; x < DibWidth(dib); ++x) {
            if (bpp == 16)
                row[2 * x + 1] &= 0x7F;
            else
                row[4 * x + 3] = static_cast<std::uint8_t>(255 - row[4 * x + 3]);
        }
    }
}

// 16-bit grey images are grey and alpha bytes; they become 32-bit pixels.
DibPtr ExpandGreyAlpha(PackedDib dib) {
    DibPtr wide = CreateImageOrFail(DibWidth(dib), DibHeight(dib), 32);
    for (int y = 0; y < DibHeight(dib); ++y) {
        const std::uint8_t* src = DibRow(dib, y);
        std::uint8_t* dst = DibRow(wide.get(), y);
        for (int x = 0; x < DibWidth(dib); ++x) {
            const std::uint8_t grey = src[2 * x];
            const std::uint8_t alpha = src[2 * x + 1];
            dst[4 * x] = dst[4 * x + 1] = dst[4 * x + 2] = grey;
            dst[4 * x + 3] = static_cast<std::uint8_t>(255 - alpha);
        }
    }
    return wide;
}

bool IsGreyType(int imageType) {
    return imageType == 3 || imageType == 11;
}

// Reads the colour map or sets the grey ramp; returns the table entries the
// file defines (none for a colour-mapped image without a map).
DefinedEntries SetColors(const TgaHeader& h, const std::vector<RgbQuad>& map, PackedDib dib) {
    if (h.colorMapType != 0) return ApplyColorMap(map, h.firstEntry, dib);
    if (IsGreyType(h.imageType) && h.bpp <= 8) {
        SetGreyRamp(dib);
        return DefinedEntries{0, DibColorCount(dib)};
    }
    return DefinedEntries{};
}

}  // namespace

DibPtr TgaFormat::Decode(ByteSource& source) {
    ByteReader in(source);
    std::uint8_t raw[kHeaderSize];
    in.ReadExact(raw, sizeof raw, kMsgFormatNotRecognized);
    const TgaHeader h = ParseHeader(raw);
    if (h.width < 1 || h.height < 1) FailWith(kMsgFormatNotRecognized);
    in.Skip(static_cast<std::uint64_t>(h.idLength));
    CheckLegalDepth(h.bpp);
    const std::vector<RgbQuad> map =
        h.colorMapType != 0 ? ReadColorMap(in, h) : std::vector<RgbQuad>();
    if (in.Remaining() == 0) FailWith(kMsgFormatNotRecognized);  // a header and nothing else
    const bool uncompressed = h.imageType == 1 || h.imageType == 2 || h.imageType == 3;
    const bool runLength = h.imageType == 9 || h.imageType == 10 || h.imageType == 11;
    if (!uncompressed && !runLength) FailWith(kMsgTgaUnsupportedVersion);
    CheckDataCanFill(h, in.Remaining());
    // Nothing is allocated for a picture whose rows fall short by more than a truncated tail.
    const RunLengthData packets = runLength ? ReadPackets(in, h) : RunLengthData{};
    CheckRowsDelivered(runLength ? packets.rows : in.Remaining() / RawRowBytes(h),
                       static_cast<std::uint64_t>(h.height), static_cast<std::uint64_t>(h.width));

    DibPtr dib = CreateImageOrFail(h.width, h.height, h.bpp);
    PackedDib image = dib.get();
    std::memset(DibPixels(image), 0, DibHeader(image)->biSizeImage);
    const DefinedEntries defined = SetColors(h, map, image);
    if (h.bpp <= 8 && h.colorMapType != 0 && defined.end - defined.first < h.mapLength)
        Warn(TableCutWarning(static_cast<std::uint64_t>(h.mapLength),
                             static_cast<std::uint64_t>(defined.end - defined.first)));
    const int missing =
        uncompressed ? ReadRawRows(in, image) : ReadRunLengthRows(packets.bytes, image);
    if (missing) Warn(RowsMissingWarning(missing, h.height));
    if (const int index = FirstIndexOutside(image, defined.first, defined.end); index >= 0)
        Warn(UndefinedIndexWarning(index));

    if (!(h.descriptor & kTopFirst) && !DibFlipRows(image)) FailWith(kMsgMemoryAllocation);
    if (h.descriptor & kRightToLeft) MirrorRows(image);
    if (IsGreyType(h.imageType) && h.bpp == 16) return ExpandGreyAlpha(image);
    NormalisePixels(image);
    return dib;
}

void TgaFormat::Encode(PackedDib dib, ByteSink& sink) {
    const int bpp = DibBitCount(dib);
    const int colors = bpp <= 8 ? DibColorCount(dib) : 0;
    std::uint8_t header[kHeaderSize] = {};
    header[1] = bpp <= 8 ? 1 : 0;
    header[2] = bpp == 1 ? 3 : bpp <= 8 ? 1 : 2;
    PutLe16(header + 5, static_cast<std::uint32_t>(colors));
    header[7] = bpp <= 8 ? 24 : 0;
    PutLe16(header + 12, static_cast<std::uint32_t>(DibWidth(dib)));
    PutLe16(header + 14, static_cast<std::uint32_t>(DibHeight(dib)));
    header[16] = static_cast<std::uint8_t>(bpp);
    header[17] = bpp == 32 ? kAlphaBits : 0;
    sink.Write(header, sizeof header);

    const RgbQuad* table = DibColors(dib);
    for (int i = 0; i < colors; ++i) {
        const std::uint8_t entry[3] = {table[i].rgbBlue, table[i].rgbGreen, table[i].rgbRed};
        sink.Write(entry, 3);
    }
    const std::size_t rowBytes = (static_cast<std::size_t>(DibWidth(dib)) * bpp + 7) / 8;
    std::vector<std::uint8_t> scratch(rowBytes);
    for (int y = DibHeight(dib) - 1; y >= 0; --y) {
        const std::uint8_t* row = DibPictureRow(dib, y);
        if (bpp == 32) {
            std::memcpy(scratch.data(), row, rowBytes);
            for (std::size_t i = 3; i < rowBytes; i += 4)
                scratch[i] = static_cast<std::uint8_t>(255 - scratch[i]);
            row = scratch.data();
        }
        sink.Write(row, rowBytes);
    }
}

}  // namespace vorlin
