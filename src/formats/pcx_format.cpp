#include "formats/pcx_format.h"

#include <algorithm>
#include <cstring>

#include "core/little_endian.h"
#include "formats/byte_sink.h"
#include "formats/byte_source.h"
#include "formats/format_error.h"
#include "formats/format_messages.h"
#include "formats/read_limits.h"
#include "formats/read_warnings.h"

namespace vorlin {

namespace {

constexpr std::size_t kHeaderSize = 128;
constexpr std::uint8_t kManufacturer = 10;
constexpr std::uint8_t kPaletteMarker = 12;
constexpr std::size_t kTrailingPaletteSize = 768;
constexpr std::uint16_t kGreyscaleInfo = 2;
constexpr std::uint8_t kRunFlag = 0xC0;
constexpr int kMaxRun = 63;
constexpr char kFiller[] = "     If you're reading this, you must be a geek :)    ";
static_assert(sizeof kFiller - 1 == 54);
// Larger than any PCX a 65536 x 65536 limit allows after coding overhead.
constexpr std::size_t kMaxEncodedData = std::size_t{1} << 33;

constexpr std::uint8_t kDefaultHeaderPalette[16][3] = {
    {0, 0, 0},      {0, 0, 255},     {0, 255, 0},    {0, 255, 255},  {255, 0, 0}, {255, 0, 255},
    {255, 255, 0},  {255, 255, 255}, {85, 85, 255},  {85, 85, 85},   {0, 170, 0}, {170, 0, 0},
    {85, 255, 255}, {255, 85, 255},  {255, 255, 85}, {255, 255, 255}};

struct PcxHeader {
    int bitsPerPlane = 0;
    int planes = 0;
    int width = 0;
    int height = 0;
    std::size_t bytesPerLine = 0;
    std::uint16_t paletteInfo = 0;
    const std::uint8_t* palette16 = nullptr;  // points into the raw header
};

PcxHeader ParseHeader(const std::uint8_t* raw) {
    if (raw[0] != kManufacturer) FailWith(kMsgFormatNotRecognized);
    PcxHeader h;
    h.bitsPerPlane = raw[3];
    h.width = Le16(raw + 8) - Le16(raw + 4) + 1;
    h.height = Le16(raw + 10) - Le16(raw + 6) + 1;
    h.palette16 = raw + 16;
    h.planes = raw[65];
    h.bytesPerLine = Le16(raw + 66);
    h.paletteInfo = Le16(raw + 68);
    if (h.width < 1 || h.height < 1) FailWith(kMsgFormatNotRecognized);
    return h;
}

void SetColors(PackedDib dib, const PcxHeader& h, ByteSource& source) {
    RgbQuad* table = DibColors(dib);
    const int bpp = DibBitCount(dib);
    if (bpp == 1) {
        table[0] = RgbQuad{0, 0, 0, 0};
        table[1] = RgbQuad{255, 255, 255, 0};
    } else if (bpp == 4) {
        for (int i = 0; i < 16; ++i) {
            const std::uint8_t* c = h.palette16 + 3 * i;
            table[i] = RgbQuad{c[2], c[1], c[0], 0};
        }
    } else if (bpp == 8) {
        const std::uint64_t size = source.Size();
        std::uint8_t tail[kTrailingPaletteSize + 1];
        if (size > kHeaderSize + kTrailingPaletteSize + 1 &&
            source.ReadAt(size - sizeof tail, tail, sizeof tail) == sizeof tail &&
            tail[0] == kPaletteMarker) {
            for (int i = 0; i < 256; ++i) {
                const std::uint8_t* c = tail + 1 + 3 * i;
                table[i] = RgbQuad{c[2], c[1], c[0], 0};
            }
        } else if (h.paletteInfo == kGreyscaleInfo) {
            for (int i = 0; i < 256; ++i) {
                const auto g = static_cast<std::uint8_t>(i);
                table[i] = RgbQuad{g, g, g, 0};
            }
        }
    }
}

// A code pair repeats one byte at most this many times.
constexpr std::uint64_t kLongestRun = kMaxRun;

// Refuses at once a picture the bytes after the header cannot describe: `rows`
// scan lines of `lineBytes` must fit in what the data expands to when every two
// bytes are a longest run. What the data really delivers is checked afterwards.
void CheckDataCanFill(int rows, std::size_t lineBytes, std::uint64_t dataBytes) {
    if (static_cast<std::uint64_t>(rows) * lineBytes > kLongestRun * ((dataBytes + 1) / 2))
        FailWith(kMsgFileTooShort);
}

// Decodes scan lines of `lineBytes` from `data`, at most `rows` of them and
// until the data ends, handing each to `take(y, line)`. Returns how many lines
// the data held whole.
template <typename Take>
int WalkLines(const std::vector<std::uint8_t>& data, std::size_t lineBytes, int rows, Take&& take) {
    std::vector<std::uint8_t> line(lineBytes);
    std::size_t pos = 0;
    int complete = 0;
    for (int y = 0; lineBytes > 0 && y < rows && pos < data.size(); ++y) {
        bool whole = false;
        pos += PcxDecodeLine(data.data() + pos, data.size() - pos, line.data(), lineBytes, &whole);
        complete += whole ? 1 : 0;
        take(y, line.data());
    }
    return complete;
}

// Four 1-bit planes, bit p of each index in plane p, leftmost pixel in bit 7.
void MergePlanes(const std::uint8_t* line, std::size_t bytesPerLine, std::uint8_t* row, int width) {
    const std::size_t usable =
        std::min<std::size_t>(static_cast<std::size_t>(width), bytesPerLine * 8);
    for (std::size_t x = 0; x < usable; ++x) {
        int index = 0;
        for (int p = 0; p < 4; ++p)
            if (line[p * bytesPerLine + x / 8] & (0x80 >> (x % 8))) index |= 1 << p;
        row[x / 2] |= static_cast<std::uint8_t>(x % 2 ? index : index << 4);
    }
}

// Red, green and blue planes into blue-green-red pixels.
void MergeRgbPlanes(const std::uint8_t* line, std::size_t bytesPerLine, std::uint8_t* row,
                    int width) {
    const std::size_t usable = std::min<std::size_t>(static_cast<std::size_t>(width), bytesPerLine);
    for (std::size_t x = 0; x < usable; ++x) {
        row[3 * x] = line[2 * bytesPerLine + x];
        row[3 * x + 1] = line[bytesPerLine + x];
        row[3 * x + 2] = line[x];
    }
}

std::size_t WrittenBytesPerLine(int width, int bitsPerPlane) {
    return (static_cast<std::size_t>(width) * bitsPerPlane + 15) / 16 * 2;
}

// One scan line of the picture row, ready to encode: planes in order, zeros
// beyond the picture's width.
void SplitRow(const std::uint8_t* row, int width, int bpp, std::size_t bytesPerLine,
              std::uint8_t* line) {
    if (bpp == 1 || bpp == 8) {
        const std::size_t rowBytes = (static_cast<std::size_t>(width) * bpp + 7) / 8;
        std::memcpy(line, row, rowBytes);
        if (bpp == 1 && width % 8)
            line[rowBytes - 1] &= static_cast<std::uint8_t>(0xFF00 >> (width % 8));
    } else if (bpp == 4) {
        for (int x = 0; x < width; ++x) {
            const int index = x % 2 ? row[x / 2] & 0x0F : row[x / 2] >> 4;
            for (int p = 0; p < 4; ++p)
                if (index & (1 << p))
                    line[p * bytesPerLine + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
    } else {
        for (int x = 0; x < width; ++x) {
            line[x] = row[3 * x + 2];
            line[bytesPerLine + x] = row[3 * x + 1];
            line[2 * bytesPerLine + x] = row[3 * x];
        }
    }
}

}  // namespace

std::size_t PcxEncodeLine(const std::uint8_t* line, std::size_t length,
                          std::vector<std::uint8_t>& out) {
    const std::size_t before = out.size();
    std::size_t i = 0;
    while (i < length) {
        const std::uint8_t value = line[i];
        std::size_t run = 1;
        while (i + run < length && line[i + run] == value && run < kMaxRun) ++run;
        if (run > 1 || value >= kRunFlag) out.push_back(static_cast<std::uint8_t>(kRunFlag + run));
        out.push_back(value);
        i += run;
    }
    return out.size() - before;
}

std::size_t PcxDecodeLine(const std::uint8_t* data, std::size_t available, std::uint8_t* line,
                          std::size_t want, bool* complete) {
    std::size_t in = 0, out = 0;
    while (out < want && in < available) {
        const std::uint8_t code = data[in++];
        if (code < kRunFlag) {
            line[out++] = code;
            continue;
        }
        if (in >= available) break;
        const std::uint8_t value = data[in++];
        const std::size_t count = std::min<std::size_t>(code & kMaxRun, want - out);
        std::memset(line + out, value, count);
        out += count;
    }
    if (out < want) std::memset(line + out, 0, want - out);
    if (complete) *complete = out == want;
    return in;
}

void PcxFormat::TakeOptions(const FileFormat& other) {
    FileFormat::TakeOptions(other);
    if (const auto* pcx = dynamic_cast<const PcxFormat*>(&other)) greyscale = pcx->greyscale;
}

DibPtr PcxFormat::Decode(ByteSource& source) {
    ByteReader in(source);
    std::uint8_t raw[kHeaderSize];
    in.ReadExact(raw, sizeof raw, kMsgFormatNotRecognized);
    const PcxHeader h = ParseHeader(raw);
    const int depth = h.planes * h.bitsPerPlane;
    CheckLegalDepth(depth);
    // Rows of one plane are dib rows already; four 1-bit and three 8-bit planes are merged.
    const bool packed = h.planes == 1 && depth <= 8;
    const bool planar4 = h.planes == 4 && h.bitsPerPlane == 1;
    const bool planarRgb = h.planes == 3 && h.bitsPerPlane == 8;
    if (!packed && !planar4 && !planarRgb) FailWith(kMsgUnsupportedBitdepth);
    const std::size_t lineBytes = h.bytesPerLine * static_cast<std::size_t>(h.planes);
    const std::size_t rowBytes = (static_cast<std::size_t>(h.width) * depth + 7) / 8;
    CheckDataCanFill(h.height, std::max(lineBytes, rowBytes), in.Remaining());
    // The data is decoded once without being kept: nothing is allocated for a
    // picture it falls short of by more than a truncated tail.
    const std::vector<std::uint8_t> data = in.ReadRest(kMaxEncodedData);
    CheckRowsDelivered(WalkLines(data, lineBytes, h.height, [](int, const std::uint8_t*) {}),
                       static_cast<std::uint64_t>(h.height), static_cast<std::uint64_t>(h.width));

    DibPtr dib = CreateImageOrFail(h.width, h.height, depth);
    PackedDib image = dib.get();
    SetColors(image, h, source);
    std::memset(DibPixels(image), 0, DibHeader(image)->biSizeImage);
    const int complete = WalkLines(data, lineBytes, h.height, [&](int y, const std::uint8_t* line) {
        std::uint8_t* row = DibRow(image, y);
        if (packed)
            std::memcpy(row, line, std::min(rowBytes, lineBytes));
        else if (planar4)
            MergePlanes(line, h.bytesPerLine, row, h.width);
        else
            MergeRgbPlanes(line, h.bytesPerLine, row, h.width);
    });
    if (complete < h.height) Warn(RowsMissingWarning(h.height - complete, h.height));
    greyscale = h.paletteInfo == kGreyscaleInfo ? 1 : 0;
    return dib;
}

void PcxFormat::CheckWritable(PackedDib dib) const {
    const int bpp = DibBitCount(dib);
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24) FailWith(kMsgUnsupportedBitdepth);
}

void PcxFormat::Encode(PackedDib dib, ByteSink& sink) {
    const int bpp = DibBitCount(dib);
    const int width = DibWidth(dib);
    const int height = DibHeight(dib);
    const int bitsPerPlane = bpp == 1 || bpp == 4 ? 1 : 8;
    const int planes = bpp == 4 ? 4 : bpp == 24 ? 3 : 1;
    const std::size_t bytesPerLine = WrittenBytesPerLine(width, bitsPerPlane);

    std::uint8_t header[kHeaderSize] = {};
    header[0] = kManufacturer;
    header[1] = 5;
    header[2] = 1;
    header[3] = static_cast<std::uint8_t>(bitsPerPlane);
    PutLe16(header + 8, static_cast<std::uint32_t>(width - 1));
    PutLe16(header + 10, static_cast<std::uint32_t>(height - 1));
    const RgbQuad* table = DibColors(dib);
    const int colors = DibColorCount(dib);
    for (int i = 0; i < 16; ++i) {
        std::uint8_t* c = header + 16 + 3 * i;
        if (bpp == 4) {
            if (i < colors)
                c[0] = table[i].rgbRed, c[1] = table[i].rgbGreen, c[2] = table[i].rgbBlue;
        } else {
            std::memcpy(c, kDefaultHeaderPalette[i], 3);
        }
    }
    header[65] = static_cast<std::uint8_t>(planes);
    PutLe16(header + 66, static_cast<std::uint32_t>(bytesPerLine));
    PutLe16(header + 68, greyscale ? kGreyscaleInfo : 1);
    std::memcpy(header + 74, kFiller, 54);
    sink.Write(header, sizeof header);

    std::vector<std::uint8_t> line(bytesPerLine * planes);
    std::vector<std::uint8_t> encoded;
    for (int y = 0; y < height; ++y) {
        std::fill(line.begin(), line.end(), 0);
        SplitRow(DibPictureRow(dib, y), width, bpp, bytesPerLine, line.data());
        encoded.clear();
        PcxEncodeLine(line.data(), line.size(), encoded);
        sink.Write(encoded.data(), encoded.size());
    }
    if (bpp == 8 && !greyscale) {
        std::uint8_t palette[kTrailingPaletteSize + 1] = {kPaletteMarker};
        for (int i = 0; i < std::min(colors, 256); ++i) {
            palette[1 + 3 * i] = table[i].rgbRed;
            palette[2 + 3 * i] = table[i].rgbGreen;
            palette[3 + 3 * i] = table[i].rgbBlue;
        }
        sink.Write(palette, sizeof palette);
    }
}

}  // namespace vorlin
