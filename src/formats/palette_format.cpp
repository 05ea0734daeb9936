#include "formats/palette_format.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/little_endian.h"
#include "formats/byte_sink.h"
#include "formats/byte_source.h"
#include "formats/format_error.h"
#include "formats/format_messages.h"

namespace vorlin {

namespace {

constexpr int kMaxColors = 256;
// Text palettes are small; anything larger is not one of ours.
constexpr std::size_t kMaxTextSize = std::size_t{1} << 24;
constexpr std::uint16_t kRiffVersion = 0x0300;
constexpr std::size_t kRiffEntriesOffset = 24;
constexpr std::uint8_t kUtf8Bom[3] = {0xEF, 0xBB, 0xBF};

// A scanf-like cursor over text held in memory: every token is bounded by the
// buffer, so no word in the file can overrun anything.
class TextScanner {
  public:
    explicit TextScanner(const std::vector<std::uint8_t>& text) : text_(text) {
        if (text_.size() >= 3 && std::memcmp(text_.data(), kUtf8Bom, 3) == 0) pos_ = 3;
    }

    bool Word(std::string& out) {
        SkipSpace();
        out.clear();
        while (pos_ < text_.size() && !std::isspace(text_[pos_]))
            out.push_back(static_cast<char>(text_[pos_++]));
        return !out.empty();
    }
    // Like "%d": optional sign, decimal digits.
    bool Decimal(long& out) { return Number(10, out); }
    // Like "%x": optional sign, optional 0x, hexadecimal digits.
    bool Hex(long& out) { return Number(16, out); }

  private:
    void SkipSpace() {
        while (pos_ < text_.size() && std::isspace(text_[pos_])) ++pos_;
    }
    static int DigitValue(std::uint8_t c) {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return 99;
    }
    bool Number(int base, long& out) {
        SkipSpace();
        std::size_t p = pos_;
        bool negative = false;
        if (p < text_.size() && (text_[p] == '-' || text_[p] == '+')) negative = text_[p++] == '-';
        if (base == 16 && p + 2 < text_.size() && text_[p] == '0' && (text_[p + 1] | 0x20) == 'x' &&
            DigitValue(text_[p + 2]) < 16)
            p += 2;
        const std::size_t digitsStart = p;
        unsigned long value = 0;
        while (p < text_.size() && DigitValue(text_[p]) < base) {
            value = (value * base + DigitValue(text_[p])) & 0xFFFFFFFFul;
            ++p;
        }
        if (p == digitsStart) return false;
        pos_ = p;
        out = negative ? -static_cast<long>(value) : static_cast<long>(value);
        return true;
    }

    const std::vector<std::uint8_t>& text_;
    std::size_t pos_ = 0;
};

int AnnouncedCount(long count) {
    return static_cast<int>(std::clamp<long>(count, 0, kMaxColors));
}

std::uint8_t Channel(long value) {
    return static_cast<std::uint8_t>(std::clamp<long>(value, 0, 255));
}

int ReadColorList(const std::vector<std::uint8_t>& text, RgbQuad* table) {
    TextScanner scan(text);
    std::string word;
    long bits = 0, count = 0;
    if (!scan.Word(word) || !scan.Decimal(bits) || !scan.Decimal(count)) return 0;
    const int wanted = AnnouncedCount(count);
    int read = 0;
    long value = 0;
    while (read < wanted && scan.Hex(value)) {
        const auto v = static_cast<std::uint32_t>(value);
        table[read++] = RgbQuad{static_cast<std::uint8_t>(v >> 16),
                                static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v), 0};
    }
    return read;
}

int ReadJasc(const std::vector<std::uint8_t>& text, RgbQuad* table) {
    TextScanner scan(text);
    std::string word;
    long version = 0, count = 0;
    if (!scan.Word(word) || word.compare(0, 8, "JASC-PAL") != 0) FailWith(kMsgFormatNotRecognized);
    if (!scan.Decimal(version) || !scan.Decimal(count)) return 0;
    const int wanted = AnnouncedCount(count);
    int read = 0;
    long r = 0, g = 0, b = 0;
    while (read < wanted && scan.Decimal(r) && scan.Decimal(g) && scan.Decimal(b))
        table[read++] = RgbQuad{Channel(b), Channel(g), Channel(r), 0};
    return read;
}

int ReadRiff(ByteSource& source, RgbQuad* table) {
    std::uint8_t head[kRiffEntriesOffset];
    if (source.ReadAt(0, head, sizeof head) != sizeof head ||
        std::memcmp(head + 8, "PAL data", 8) != 0 || Le16(head + 20) != kRiffVersion)
        FailWith(kMsgFormatNotRecognized);
    const int wanted = std::min<int>(Le16(head + 22), kMaxColors);
    std::uint8_t entries[4 * kMaxColors];
    const std::size_t got =
        source.ReadAt(kRiffEntriesOffset, entries, 4 * static_cast<std::size_t>(wanted));
    const int read = static_cast<int>(got / 4);
    for (int i = 0; i < read; ++i)
        table[i] = RgbQuad{entries[4 * i + 2], entries[4 * i + 1], entries[4 * i], 0};
    return read;
}

std::vector<std::uint8_t> ReadText(ByteSource& source) {
    ByteReader in(source);
    if (source.Size() > kMaxTextSize) FailWith(kMsgFormatNotRecognized);
    return in.ReadRest(kMaxTextSize);
}

}  // namespace

DibPtr CreatePaletteHolder() {
    DibPtr holder = CreateImageOrFail(1, 1, 8);
    std::memset(DibColors(holder.get()), 0, 4 * kMaxColors);
    std::memset(DibPixels(holder.get()), 0, DibHeader(holder.get())->biSizeImage);
    return holder;
}

void SetHolderColorCount(PackedDib holder, int count) {
    DibHeader(holder)->biClrUsed = static_cast<std::uint32_t>(std::clamp(count, 0, kMaxColors));
    std::memset(DibPixels(holder), 0, DibHeader(holder)->biSizeImage);
}

DibPtr PaletteFormat::Decode(ByteSource& source) {
    std::uint8_t lead[7] = {};
    source.ReadAt(0, lead, sizeof lead);
    // Text palettes saved by some editors start with a UTF-8 byte-order mark.
    const std::uint8_t* magic = std::memcmp(lead, kUtf8Bom, 3) == 0 ? lead + 3 : lead;
    DibPtr holder;
    int count = 0;
    if (std::memcmp(magic, "CLR", 3) == 0) {
        holder = CreatePaletteHolder();
        count = ReadColorList(ReadText(source), DibColors(holder.get()));
    } else if (std::memcmp(magic, "RIFF", 4) == 0) {
        holder = CreatePaletteHolder();
        count = ReadRiff(source, DibColors(holder.get()));
    } else if (std::memcmp(magic, "JASC", 4) == 0) {
        holder = CreatePaletteHolder();
        count = ReadJasc(ReadText(source), DibColors(holder.get()));
    } else {
        FailWith(kMsgFormatNotRecognized);
    }
    SetHolderColorCount(holder.get(), count);
    return holder;
}

void PaletteFormat::Encode(PackedDib dib, ByteSink& sink) {
    const int count = DibColorCount(dib);
    const RgbQuad* table = DibColors(dib);
    std::string text = "CLRX 8 " + std::to_string(count) + "\n";
    char number[16];
    for (int i = 0; i < count; ++i) {
        const std::uint32_t value =
            table[i].rgbRed | (table[i].rgbGreen << 8) | (table[i].rgbBlue << 16);
        std::snprintf(number, sizeof number, "0x%08x ", value);
        text += number;
        if (i % 4 == 3) text += '\n';
    }
    sink.Write(text.data(), text.size());
}

}  // namespace vorlin
