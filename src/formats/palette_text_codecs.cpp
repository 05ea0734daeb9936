#include <charconv>
#include <cstdio>
#include <cstring>

#include "formats/format_error.h"
#include "formats/palette_codecs.h"

namespace vorlin {
namespace {

constexpr std::string_view kGimpHeader = "GIMP Palette";
constexpr std::uint8_t kUtf8Bom[3] = {0xEF, 0xBB, 0xBF};

// Splits text into lines (LF or CRLF) after an optional byte-order mark.
class LineReader {
  public:
    explicit LineReader(std::span<const std::uint8_t> file)
        : text_(reinterpret_cast<const char*>(file.data()), file.size()) {
        if (file.size() >= 3 && std::memcmp(file.data(), kUtf8Bom, 3) == 0) text_.remove_prefix(3);
    }
    bool Next(std::string_view& line) {
        if (text_.empty()) return false;
        const auto end = text_.find('\n');
        line = text_.substr(0, end);
        text_.remove_prefix(end == std::string_view::npos ? text_.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        ++number_;
        return true;
    }
    std::size_t Number() const { return number_; }

  private:
    std::string_view text_;
    std::size_t number_ = 0;
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

// One decimal channel 0 to 255 at the start of `s`, which moves past it.
bool TakeChannel(std::string_view& s, std::uint8_t& out) {
    s = Trim(s);
    unsigned value = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || value > 255) return false;
    if (end != s.data() + s.size() && !IsBlank(*end)) return false;
    s.remove_prefix(static_cast<std::size_t>(end - s.data()));
    out = static_cast<std::uint8_t>(value);
    return true;
}

// Keeps the first 256 colours and counts the rest for the note.
class ColorCollector {
  public:
    void Add(const RgbQuad& c) {
        if (result_.colors.size() < kMaxPaletteColors) result_.colors.push_back(c);
        ++seen_;
    }
    PaletteColors Finish() {
        if (seen_ > kMaxPaletteColors)
            result_.note = "the file holds " + std::to_string(seen_) + " colours; the first " +
                           std::to_string(kMaxPaletteColors) + " were read";
        return std::move(result_);
    }

  private:
    PaletteColors result_;
    std::size_t seen_ = 0;
};

bool IsGimpHeaderLine(std::string_view line) {
    return line.starts_with("Name:") || line.starts_with("Columns:") || line.starts_with("#");
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool ParseHexColor(std::string_view s, RgbQuad& out) {
    if (s.starts_with('#')) s.remove_prefix(1);
    if (s.size() != 6) return false;
    std::uint8_t channel[3];
    for (int i = 0; i < 3; ++i) {
        const int high = HexDigit(s[2 * i]), low = HexDigit(s[2 * i + 1]);
        if (high < 0 || low < 0) return false;
        channel[i] = static_cast<std::uint8_t>(high * 16 + low);
    }
    out = RgbQuad{channel[2], channel[1], channel[0], 0};
    return true;
}

std::string Triple(const RgbQuad& c, const char* pattern) {
    char text[32];
    std::snprintf(text, sizeof text, pattern, unsigned{c.rgbRed}, unsigned{c.rgbGreen},
                  unsigned{c.rgbBlue});
    return text;
}

}  // namespace

void FailAtLine(std::size_t line, const std::string& what) {
    throw FormatError{"line " + std::to_string(line) + ": " + what, {}};
}

void FailAtByte(std::uint64_t offset, const std::string& what) {
    throw FormatError{"byte " + std::to_string(offset) + ": " + what, {}};
}

PaletteColors ReadGimpPalette(std::span<const std::uint8_t> file) {
    LineReader lines(file);
    std::string_view line;
    if (!lines.Next(line) || Trim(line) != kGimpHeader)
        FailAtLine(1, "not a GIMP palette (the first line must be \"GIMP Palette\")");
    ColorCollector collector;
    while (lines.Next(line)) {
        line = Trim(line);
        if (line.empty() || IsGimpHeaderLine(line)) continue;
        RgbQuad c{0, 0, 0, 0};
        if (!TakeChannel(line, c.rgbRed) || !TakeChannel(line, c.rgbGreen) ||
            !TakeChannel(line, c.rgbBlue))
            FailAtLine(lines.Number(), "expected red, green and blue from 0 to 255");
        collector.Add(c);
    }
    return collector.Finish();
}

std::string WriteGimpPalette(std::span<const RgbQuad> colors, std::string_view name) {
    std::string text = std::string(kGimpHeader) + "\nName: ";
    // A line break in the name would end the header early.
    for (char c : name) text += (c == '\n' || c == '\r') ? ' ' : c;
    text += "\nColumns: 16\n#\n";
    for (std::size_t i = 0; i < colors.size(); ++i)
        text += Triple(colors[i], "%3u %3u %3u") + "\tIndex " + std::to_string(i) + "\n";
    return text;
}

std::string WriteJascPalette(std::span<const RgbQuad> colors) {
    std::string text = "JASC-PAL\r\n0100\r\n" + std::to_string(colors.size()) + "\r\n";
    for (const RgbQuad& c : colors) text += Triple(c, "%u %u %u") + "\r\n";
    return text;
}

PaletteColors ReadHexList(std::span<const std::uint8_t> file) {
    LineReader lines(file);
    std::string_view line;
    ColorCollector collector;
    while (lines.Next(line)) {
        line = Trim(line);
        if (line.empty() || line.starts_with(';')) continue;
        RgbQuad c{};
        if (!ParseHexColor(line, c)) FailAtLine(lines.Number(), "expected a colour as RRGGBB");
        collector.Add(c);
    }
    return collector.Finish();
}

std::string WriteHexList(std::span<const RgbQuad> colors) {
    std::string text;
    for (const RgbQuad& c : colors) text += Triple(c, "%02x%02x%02x") + "\n";
    return text;
}

}  // namespace vorlin
