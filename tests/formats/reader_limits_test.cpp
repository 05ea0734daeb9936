// Readers allocate only what the bytes of a file can describe, and say what
// they filled in when a file that passes ends early or names colours it lacks.
#include <gtest/gtest.h>
#include <zlib.h>

#include <string>
#include <vector>

#include "core/little_endian.h"
#include "formats/byte_source.h"
#include "formats/format_messages.h"
#include "formats/format_registry.h"
#include "formats/read_warnings.h"
#include "support/allocation_meter.h"
#include "support/format_test_util.h"

namespace vorlin {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Append(Bytes& bytes, std::size_t count, std::uint8_t value) {
    bytes.insert(bytes.end(), count, value);
}

// An 8-or-fewer-bit BMP whose header declares `colors` table entries (all
// present) and which holds `pixelBytes` bytes of rows, each byte `pixel`.
Bytes Bmp(int width, int height, int bpp, std::uint32_t colors, std::size_t pixelBytes,
          std::uint8_t pixel = 1) {
    Bytes f(54);
    PutLe16(f.data(), 19778);
    PutLe32(f.data() + 14, 40);
    PutLe32(f.data() + 18, static_cast<std::uint32_t>(width));
    PutLe32(f.data() + 22, static_cast<std::uint32_t>(height));
    PutLe16(f.data() + 26, 1);
    PutLe16(f.data() + 28, static_cast<std::uint32_t>(bpp));
    PutLe32(f.data() + 46, colors);
    Append(f, 4 * static_cast<std::size_t>(colors), 0x40);
    PutLe32(f.data() + 10, static_cast<std::uint32_t>(f.size()));
    Append(f, pixelBytes, pixel);
    return f;
}

Bytes Tga(int type, int width, int height, int bpp, int mapLength, const Bytes& data) {
    Bytes f(18);
    f[1] = mapLength ? 1 : 0;
    f[2] = static_cast<std::uint8_t>(type);
    PutLe16(f.data() + 5, static_cast<std::uint32_t>(mapLength));
    f[7] = mapLength ? 24 : 0;
    PutLe16(f.data() + 12, static_cast<std::uint32_t>(width));
    PutLe16(f.data() + 14, static_cast<std::uint32_t>(height));
    f[16] = static_cast<std::uint8_t>(bpp);
    f[17] = 0x20;  // top row first
    Append(f, 3 * static_cast<std::size_t>(mapLength), 0x80);
    f.insert(f.end(), data.begin(), data.end());
    return f;
}

// `runs` longest runs of an 8-bit TGA (128 pixels each), then `singles` raw
// packets of one pixel.
Bytes TgaPackets(std::size_t runs, std::size_t singles = 0) {
    Bytes data;
    for (std::size_t i = 0; i < runs; ++i) data.insert(data.end(), {0xFF, 0x02});
    for (std::size_t i = 0; i < singles; ++i) data.insert(data.end(), {0x00, 0x03});
    return data;
}

// An 8-bit PCX whose data is `runs` longest runs, then `literals` single bytes.
Bytes Pcx(int width, int height, std::size_t runs, std::size_t literals = 0) {
    Bytes f(128);
    f[0] = 10;
    f[3] = 8;
    PutLe16(f.data() + 8, static_cast<std::uint32_t>(width - 1));
    PutLe16(f.data() + 10, static_cast<std::uint32_t>(height - 1));
    f[65] = 1;
    PutLe16(f.data() + 66, static_cast<std::uint32_t>(width));
    for (std::size_t i = 0; i < runs; ++i) f.insert(f.end(), {0xC0 + 63, 0x05});
    Append(f, literals, 0x05);
    return f;
}

void PutChunk(Bytes& png, const char* type, const Bytes& data) {
    Bytes head(8);
    PutLe32(head.data(), 0);
    for (int i = 0; i < 4; ++i) head[i] = static_cast<std::uint8_t>(data.size() >> (24 - 8 * i));
    std::copy(type, type + 4, head.begin() + 4);
    png.insert(png.end(), head.begin(), head.end());
    png.insert(png.end(), data.begin(), data.end());
    uLong crc = crc32(0, reinterpret_cast<const Bytef*>(type), 4);
    if (!data.empty()) crc = crc32(crc, data.data(), static_cast<uInt>(data.size()));
    for (int i = 0; i < 4; ++i) png.push_back(static_cast<std::uint8_t>(crc >> (24 - 8 * i)));
}

Bytes BigEndian(std::uint32_t value) {
    return {static_cast<std::uint8_t>(value >> 24), static_cast<std::uint8_t>(value >> 16),
            static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value)};
}

// A PNG of 8-bit samples whose image data deflates `raw` (filter bytes
// included); colour type 3 gets a palette of `paletteSize` entries, and a
// private chunk of `padding` bytes makes the file that much larger.
Bytes PngOf(std::uint32_t width, std::uint32_t height, int colorType, const Bytes& raw,
            int paletteSize = 0, bool interlaced = false, std::size_t padding = 0) {
    Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes ihdr = BigEndian(width);
    const Bytes h = BigEndian(height);
    ihdr.insert(ihdr.end(), h.begin(), h.end());
    ihdr.insert(ihdr.end(), {8, static_cast<std::uint8_t>(colorType), 0, 0, interlaced});
    PutChunk(png, "IHDR", ihdr);
    if (paletteSize) PutChunk(png, "PLTE", Bytes(3 * static_cast<std::size_t>(paletteSize), 0x77));
    if (padding) PutChunk(png, "prIv", Bytes(padding, 0));
    Bytes packed(compressBound(static_cast<uLong>(raw.size())));
    uLongf size = static_cast<uLongf>(packed.size());
    compress(packed.data(), &size, raw.data(), static_cast<uLong>(raw.size()));
    packed.resize(size);
    PutChunk(png, "IDAT", packed);
    PutChunk(png, "IEND", {});
    return png;
}

// A 1 x 1 grey PNG cut short inside an ancillary chunk of `type` that declares
// `length` bytes of data: only a few of them follow.
Bytes PngWithLongChunk(const char* type, std::uint32_t length) {
    Bytes png = PngOf(1, 1, 0, Bytes{0, 0});
    const std::size_t afterHeader = 8 + 12 + 13;
    Bytes chunk = BigEndian(length);
    chunk.insert(chunk.end(), type, type + 4);
    Append(chunk, 16, 'x');
    png.resize(afterHeader);
    png.insert(png.end(), chunk.begin(), chunk.end());
    return png;
}

// A PNG whose image data is one row (filter: none), however tall it claims to be.
Bytes Png(std::uint32_t width, std::uint32_t height, int colorType, const Bytes& row,
          int paletteSize = 0) {
    Bytes raw = {0};
    raw.insert(raw.end(), row.begin(), row.end());
    return PngOf(width, height, colorType, raw, paletteSize);
}

// The image data of a blank picture with `channels` 8-bit samples per pixel: every
// row (of every Adam7 pass when interlaced) with its filter byte, all zero.
Bytes BlankRows(std::size_t width, std::size_t height, std::size_t channels, bool interlaced) {
    struct Pass {
        std::size_t x0, y0, dx, dy;
    };
    constexpr Pass kAdam7[] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                               {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
    const std::vector<Pass> passes = interlaced
                                         ? std::vector<Pass>(std::begin(kAdam7), std::end(kAdam7))
                                         : std::vector<Pass>{{0, 0, 1, 1}};
    std::size_t bytes = 0;
    for (const Pass& p : passes) {
        const std::size_t columns = width > p.x0 ? (width - p.x0 + p.dx - 1) / p.dx : 0;
        const std::size_t rows = height > p.y0 ? (height - p.y0 + p.dy - 1) / p.dy : 0;
        if (columns) bytes += rows * (1 + columns * channels);
    }
    return Bytes(bytes, 0);
}

struct Case {
    const char* name;
    const char* extension;
    Bytes file;
    const char* message;  // the read's outcome
    std::string warning;  // what it says it filled in
};

std::vector<Case> Cases() {
    return {
        // A bare header may not claim a picture: these once took seconds and gigabytes.
        {"bmp header alone", "bmp", Bmp(65536, 4096, 32, 0, 0), kMsgFileTooShort, ""},
        {"bmp first row cut", "bmp", Bmp(16, 8, 8, 256, 15), kMsgFileTooShort, ""},
        {"bmp ends early", "bmp", Bmp(16, 8, 8, 256, 3 * 16), kMsgAllClear,
         RowsMissingWarning(5, 8)},
        {"bmp complete", "bmp", Bmp(16, 8, 8, 256, 8 * 16), kMsgAllClear, ""},
        {"bmp oversized table", "bmp", Bmp(4, 1, 8, 300, 4), kMsgAllClear,
         TableCutWarning(300, 256)},
        {"bmp index past table", "bmp", Bmp(8, 2, 4, 5, 8, 0x39), kMsgAllClear,
         UndefinedIndexWarning(9)},
        {"tga run-length too little", "tga", Tga(10, 65535, 4096, 8, 0, TgaPackets(10000)),
         kMsgFileTooShort, ""},
        // Raw packets describe fewer pixels than their bytes could: the file passes and ends early.
        {"tga run-length ends early", "tga", Tga(11, 128, 10, 8, 0, TgaPackets(5, 5)), kMsgAllClear,
         RowsMissingWarning(5, 10)},
        {"tga raw first row cut", "tga", Tga(2, 40, 40, 24, 0, Bytes(119, 9)), kMsgFileTooShort,
         ""},
        {"tga raw ends early", "tga", Tga(3, 4, 4, 8, 0, Bytes(8, 9)), kMsgAllClear,
         RowsMissingWarning(2, 4)},
        {"tga index past map", "tga", Tga(1, 4, 1, 8, 4, Bytes{0, 1, 2, 7}), kMsgAllClear,
         UndefinedIndexWarning(7)},
        {"tga map cut to table", "tga", Tga(1, 2, 1, 4, 20, Bytes{0x01}), kMsgAllClear,
         TableCutWarning(20, 16)},
        {"pcx too little", "pcx", Pcx(4096, 4096, 100), kMsgFileTooShort, ""},
        {"pcx ends early", "pcx", Pcx(63, 8, 3, 10), kMsgAllClear, RowsMissingWarning(5, 8)},
        {"png header alone", "png", Png(65535, 4096, 6, Bytes(1, 0)), kMsgFileTooShort, ""},
        {"png index past palette", "png", Png(3, 1, 3, Bytes{0, 1, 5}, 2), kMsgAllClear,
         UndefinedIndexWarning(5)},
    };
}

TEST(ReaderLimits, AllocateOnlyWhatTheBytesDescribeAndSayWhatWasFilledIn) {
    for (const Case& c : Cases()) {
        std::unique_ptr<FileFormat> reader = FindFormat(Formats().Formats(), c.extension)->Clone();
        const DibPtr dib = testing::DecodeWith(*reader, c.file);
        EXPECT_EQ(reader->message, c.message) << c.name;
        EXPECT_EQ(dib != nullptr, c.message == std::string(kMsgAllClear)) << c.name;
        EXPECT_EQ(reader->warning, c.warning) << c.name;
    }
}

// A header that declares far more picture than the rest of the file delivers.
struct DeclaredCase {
    const char* name;
    const char* extension;
    Bytes file;
    const char* message;  // the read's outcome
    std::size_t budget;   // what the read may allocate in all
};

constexpr std::size_t kKiB = 1024;
constexpr std::size_t kMiB = 1024 * kKiB;
// libpng's chunk, row and inflate buffers for the widest rows below.
constexpr std::size_t kPngWorkspace = 512 * kKiB;
constexpr char kPngDataShort[] = "Not enough image data";
constexpr char kPngReadError[] = "Read Error";

std::vector<DeclaredCase> DeclaredCases() {
    std::vector<DeclaredCase> cases = {
        {"bmp 2048 x 2048 x 32, 16 rows", "bmp", Bmp(2048, 2048, 32, 0, 16 * 8 * kKiB),
         kMsgFileTooShort, 256 * kKiB},
        {"bmp top-down 4096 x 4096 x 8, 4 rows", "bmp", Bmp(4096, -4096, 8, 256, 4 * 4 * kKiB),
         kMsgFileTooShort, 256 * kKiB},
        // A tail of at most 2^20 pixels is filled and warned about, one row more is
        // refused, whatever the depth.
        {"bmp 1000 rows of 1024 pixels missing", "bmp", Bmp(1024, 1100, 8, 256, 100 * kKiB),
         kMsgAllClear, 1100 * kKiB + 256 * kKiB},
        {"bmp 1025 rows of 1024 pixels missing", "bmp", Bmp(1024, 1125, 8, 256, 100 * kKiB),
         kMsgFileTooShort, 256 * kKiB},
        {"bmp 32-bit, 4096 rows of 256 pixels missing", "bmp", Bmp(256, 4100, 32, 0, 4 * kKiB),
         kMsgAllClear, 4100 * kKiB + 256 * kKiB},
        {"bmp 1-bit, 257 rows of 4096 pixels missing", "bmp", Bmp(4096, 260, 1, 2, 3 * 512),
         kMsgFileTooShort, 256 * kKiB},
        {"tga raw 4096 x 2048 x 24, 64 KiB", "tga", Tga(2, 4096, 2048, 24, 0, Bytes(64 * kKiB, 9)),
         kMsgFileTooShort, 256 * kKiB},
        {"tga raw mapped 8192 x 4096, one row", "tga",
         Tga(1, 8192, 4096, 8, 256, Bytes(8 * kKiB, 1)), kMsgFileTooShort, 256 * kKiB},
        // Enough bytes for every packet to be a longest run, yet each packet is one pixel.
        {"tga run-length 4096 x 4096 of single pixels", "tga",
         Tga(11, 4096, 4096, 8, 0, TgaPackets(0, 128 * kKiB)), kMsgFileTooShort, 1 * kMiB},
        {"pcx 4096 x 2000 of literal bytes", "pcx", Pcx(4096, 2000, 0, 256 * kKiB),
         kMsgFileTooShort, 1 * kMiB},
        {"png grey 4096 x 4096, one row", "png",
         PngOf(4096, 4096, 0, Bytes(4097, 0), 0, false, 64 * kKiB), kPngDataShort, kPngWorkspace},
        {"png rgba interlaced 2048 x 2048, one row", "png",
         PngOf(2048, 2048, 6, Bytes(8193, 0), 0, true, 64 * kKiB), kPngDataShort, kPngWorkspace},
        // Data that really expands that far is a picture like any other.
        {"png blank grey 2048 x 2048", "png", PngOf(2048, 2048, 0, BlankRows(2048, 2048, 1, false)),
         kMsgAllClear, 4 * kMiB + kPngWorkspace},
        {"png blank rgba interlaced 1024 x 1024", "png",
         PngOf(1024, 1024, 6, BlankRows(1024, 1024, 4, true), 0, true), kMsgAllClear,
         4 * kMiB + kPngWorkspace},
    };
    // Text, profile and other chunks the reader has no use for are skipped, whatever length
    // they declare, instead of being read into memory of that size.
    static const std::string kLongChunks[] = {"tEXt", "zTXt", "iTXt", "iCCP", "sPLT",
                                              "eXIf", "pCAL", "sCAL", "prIv"};
    for (const std::string& type : kLongChunks)
        cases.push_back({type.c_str(), "png", PngWithLongChunk(type.c_str(), 0x7FFFFFFF),
                         kPngReadError, kPngWorkspace});
    return cases;
}

TEST(ReaderLimits, AHeaderClaimingMoreThanTheFileDeliversIsNeverAllocated) {
    const bool metered = testing::AllocationMeterAvailable();
    for (const DeclaredCase& c : DeclaredCases()) {
        std::unique_ptr<FileFormat> reader = FindFormat(Formats().Formats(), c.extension)->Clone();
        MemorySource source(c.file.data(), c.file.size());
        int result = 0;
        const std::size_t allocated =
            testing::BytesAllocatedBy([&] { result = reader->ReadFrom(source, "memory"); });
        EXPECT_EQ(reader->message, c.message) << c.name;
        EXPECT_EQ(result == 1, c.message == std::string(kMsgAllClear)) << c.name;
        if (metered) {
            EXPECT_LE(allocated, c.budget) << c.name;
        }
    }
}

TEST(ReaderLimits, TheWarningLineNamesTheFile) {
    std::unique_ptr<FileFormat> reader = FindFormat(Formats().Formats(), "bmp")->Clone();
    const std::string path = ::testing::TempDir() + "/short.bmp";
    testing::WriteFileBytes(path, Bmp(16, 8, 8, 5, 3 * 16, 7));
    ASSERT_EQ(reader->Read(path), 1);
    EXPECT_EQ(ReadWarningLine(*reader),
              path + ": " + RowsMissingWarning(5, 8) + "; " + UndefinedIndexWarning(7));
    // A complete file says nothing, and a new read forgets the last one's warning.
    testing::WriteFileBytes(path, Bmp(16, 8, 8, 256, 8 * 16));
    ASSERT_EQ(reader->Read(path), 1);
    EXPECT_EQ(ReadWarningLine(*reader), "");
}

}  // namespace
}  // namespace vorlin
