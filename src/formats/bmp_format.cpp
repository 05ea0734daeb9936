#include "formats/bmp_format.h"

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

constexpr std::uint16_t kBmpMagic = 19778;  // "BM"
constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kCoreHeaderSize = 12;
// The smallest header that still holds width, height, planes and bit count as
// 32-bit fields (the short OS/2 2.x form); anything else below 40 is zero-extended.
constexpr std::uint32_t kShortestLongHeader = 16;

struct BmpLayout {
    BitmapInfoHeader info{};
    std::uint32_t pixelOffset = 0;  // from the file header
    std::uint32_t headerSize = 0;
    int entrySize = 4;  // core headers store 3-byte colour entries
};

BmpLayout ReadHeaders(ByteReader& in) {
    std::uint8_t fileHeader[kFileHeaderSize];
    in.ReadExact(fileHeader, sizeof fileHeader, kMsgFormatNotRecognized);
    if (Le16(fileHeader) != kBmpMagic) FailWith(kMsgFormatNotRecognized);

    BmpLayout layout;
    layout.pixelOffset = Le32(fileHeader + 10);
    std::uint8_t sizeField[4];
    in.ReadExact(sizeField, 4, kMsgFormatNotRecognized);
    layout.headerSize = Le32(sizeField);

    BitmapInfoHeader& h = layout.info;
    if (layout.headerSize == kCoreHeaderSize) {
        std::uint8_t core[8];
        in.ReadExact(core, sizeof core, kMsgFormatNotRecognized);
        h.biWidth = Le16(core);
        h.biHeight = Le16(core + 2);
        h.biPlanes = Le16(core + 4);
        h.biBitCount = Le16(core + 6);
        layout.entrySize = 3;
        return layout;
    }
    if (layout.headerSize < kShortestLongHeader) FailWith(kMsgFormatNotRecognized);
    std::uint8_t rest[kInfoHeaderSize - 4] = {};
    const std::uint32_t present = std::min(layout.headerSize, kInfoHeaderSize) - 4;
    in.ReadExact(rest, present, kMsgFormatNotRecognized);
    h.biWidth = static_cast<std::int32_t>(Le32(rest));
    h.biHeight = static_cast<std::int32_t>(Le32(rest + 4));
    h.biPlanes = Le16(rest + 8);
    h.biBitCount = Le16(rest + 10);
    h.biCompression = Le32(rest + 12);
    h.biSizeImage = Le32(rest + 16);
    h.biXPelsPerMeter = static_cast<std::int32_t>(Le32(rest + 20));
    h.biYPelsPerMeter = static_cast<std::int32_t>(Le32(rest + 24));
    h.biClrUsed = Le32(rest + 28);
    h.biClrImportant = Le32(rest + 32);
    return layout;
}

void CheckPictureSize(const BitmapInfoHeader& h) {
    const std::int64_t height = h.biHeight;
    const std::int64_t absHeight = height < 0 ? -height : height;
    if (h.biWidth < 1 || h.biWidth > kDibMaxSide || absHeight < 1 || absHeight > kDibMaxSide)
        FailWith(kMsgFormatNotRecognized);
}

std::uint64_t DeclaredColorCount(const BitmapInfoHeader& h) {
    if (h.biBitCount <= 8 && h.biClrUsed == 0) return 1u << h.biBitCount;
    return h.biClrUsed;
}

// Where the colour table and the rows lie in the file.
struct BmpPlacement {
    std::uint64_t tableStart = 0;
    std::uint64_t entries = 0;  // table entries present in the file
    std::uint64_t rowsStart = 0;
};

// A table that would run past the end of the file means the header is
// damaged; a pixel offset inside the declared table means the table is
// shorter than declared. The rows start at the file header's offset when it
// points past the table and into the file, otherwise straight after the table.
BmpPlacement Place(const BmpLayout& layout, std::uint64_t fileSize) {
    BmpPlacement at;
    at.tableStart = kFileHeaderSize + static_cast<std::uint64_t>(layout.headerSize);
    const std::uint64_t entry = static_cast<std::uint64_t>(layout.entrySize);
    at.entries = DeclaredColorCount(layout.info);
    if (at.tableStart > fileSize || at.entries * entry > fileSize - at.tableStart)
        FailWith(kMsgFormatNotRecognized);
    if (layout.pixelOffset > at.tableStart &&
        layout.pixelOffset < at.tableStart + at.entries * entry)
        at.entries = (layout.pixelOffset - at.tableStart) / entry;
    const std::uint64_t tableEnd = at.tableStart + at.entries * entry;
    at.rowsStart = layout.pixelOffset >= tableEnd && layout.pixelOffset < fileSize
                       ? layout.pixelOffset
                       : tableEnd;
    return at;
}

// Fills the dib's colour table from the file; entries beyond what the dib
// holds are skipped, entries the file does not name keep their initial values.
// Returns how many entries were taken.
std::uint64_t ReadColorTable(ByteReader& in, const BmpLayout& layout, const BmpPlacement& at,
                             PackedDib dib) {
    const std::uint64_t count =
        std::min<std::uint64_t>(at.entries, static_cast<std::uint64_t>(DibColorCount(dib)));
    std::vector<std::uint8_t> raw(static_cast<std::size_t>(count) * layout.entrySize);
    in.Seek(at.tableStart);
    in.ReadExact(raw.data(), raw.size(), kMsgFormatNotRecognized);
    RgbQuad* table = DibColors(dib);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* e = raw.data() + i * layout.entrySize;
        table[i] = RgbQuad{e[0], e[1], e[2], 0};
    }
    return count;
}

// Reads the rows the file holds (the rest stay zero); returns how many were
// incomplete.
int ReadRows(ByteReader& in, const BitmapInfoHeader& h, PackedDib dib) {
    const int height = DibHeight(dib);
    const std::size_t stride = DibStride(dib);
    const bool bottomUp = h.biHeight > 0;
    int incomplete = 0;
    for (int i = 0; i < height; ++i) {
        std::uint8_t* row = DibRow(dib, bottomUp ? height - 1 - i : i);
        const std::size_t got = in.Read(row, stride);
        if (got < stride) {
            std::memset(row + got, 0, stride - got);
            ++incomplete;
        }
    }
    return incomplete;
}

// The fourth byte of an uncompressed 32-bit pixel is reserved, not alpha: keep
// the program's meaning of it (0, opaque).
void ClearReservedBytes(PackedDib dib) {
    if (DibBitCount(dib) != 32) return;
    for (int y = 0; y < DibHeight(dib); ++y) {
        std::uint8_t* row = DibRow(dib, y);
        for (int x = 0; x < DibWidth(dib); ++x) row[4 * x + 3] = 0;
    }
}

void StoreInfoHeader(std::uint8_t* p, const BitmapInfoHeader& h) {
    PutLe32(p, h.biSize);
    PutLe32(p + 4, static_cast<std::uint32_t>(h.biWidth));
    PutLe32(p + 8, static_cast<std::uint32_t>(h.biHeight));
    PutLe16(p + 12, h.biPlanes);
    PutLe16(p + 14, h.biBitCount);
    PutLe32(p + 16, h.biCompression);
    PutLe32(p + 20, h.biSizeImage);
    PutLe32(p + 24, static_cast<std::uint32_t>(h.biXPelsPerMeter));
    PutLe32(p + 28, static_cast<std::uint32_t>(h.biYPelsPerMeter));
    PutLe32(p + 32, h.biClrUsed);
    PutLe32(p + 36, h.biClrImportant);
}

}  // namespace

DibPtr BmpFormat::Decode(ByteSource& source) {
    ByteReader in(source);
    const BmpLayout layout = ReadHeaders(in);
    const BitmapInfoHeader& h = layout.info;
    if (h.biPlanes > 1) FailWith(kMsgBmpBitplanes);
    if (h.biCompression != 0) FailWith(kMsgBmpCompression);
    CheckPictureSize(h);
    CheckLegalDepth(h.biBitCount);
    const BmpPlacement at = Place(layout, source.Size());
    const int height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    // Nothing is allocated for a picture whose first row is not in the file, nor
    // for one whose rows fall short by more than a truncated tail.
    const std::uint64_t present = source.Size() - std::min(source.Size(), at.rowsStart);
    const std::size_t stride = DibStrideFor(h.biWidth, h.biBitCount);
    if (present < stride) FailWith(kMsgFileTooShort);
    CheckRowsDelivered(present / stride, static_cast<std::uint64_t>(height),
                       static_cast<std::uint64_t>(h.biWidth));
    DibPtr dib = CreateImageOrFail(h.biWidth, height, h.biBitCount);

    const std::uint64_t colors = ReadColorTable(in, layout, at, dib.get());
    if (h.biBitCount <= 8 && colors < at.entries) Warn(TableCutWarning(at.entries, colors));
    in.Seek(at.rowsStart);
    if (const int missing = ReadRows(in, h, dib.get())) Warn(RowsMissingWarning(missing, height));
    if (const int index = FirstIndexOutside(dib.get(), 0, static_cast<int>(colors)); index >= 0)
        Warn(UndefinedIndexWarning(index));
    ClearReservedBytes(dib.get());
    return dib;
}

void BmpFormat::Encode(PackedDib dib, ByteSink& sink) {
    const int height = DibHeight(dib);
    const std::size_t stride = DibStride(dib);
    const std::uint32_t colors = static_cast<std::uint32_t>(DibColorCount(dib));
    const std::uint32_t pixelOffset = kFileHeaderSize + kInfoHeaderSize + 4 * colors;
    const std::uint32_t imageSize =
        static_cast<std::uint32_t>(stride * static_cast<std::size_t>(height));

    std::uint8_t headers[kFileHeaderSize + kInfoHeaderSize] = {};
    PutLe16(headers, kBmpMagic);
    PutLe32(headers + 2, pixelOffset + imageSize);
    PutLe32(headers + 10, pixelOffset);
    BitmapInfoHeader info = *DibHeader(dib);
    info.biSize = kInfoHeaderSize;
    info.biHeight = height;
    info.biCompression = 0;
    info.biSizeImage = imageSize;
    StoreInfoHeader(headers + kFileHeaderSize, info);
    sink.Write(headers, sizeof headers);
    sink.Write(DibColors(dib), 4 * static_cast<std::size_t>(colors));
    for (int y = height - 1; y >= 0; --y) sink.Write(DibPictureRow(dib, y), stride);
}

}  // namespace vorlin
