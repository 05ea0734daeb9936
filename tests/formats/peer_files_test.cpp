// Third-party files: whatever a reader accepts must decode to the pixels the
// manifest's independent decoders agree on; whatever it refuses must be refused
// with one of the fixed texts (or, for PNG, the library's own text).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "formats/format_messages.h"
#include "formats/format_registry.h"
#include "formats/format_error.h"
#include "formats/palette_files.h"
#include "formats/palette_format.h"
#include "support/format_test_util.h"
#include "support/sha256.h"

namespace vorlin {
namespace {

namespace fs = std::filesystem;
using testing::Sha256Hex;
using testing::ToRgba;

const fs::path kPeers = fs::path(VORLIN_TESTDATA_DIR) / "peers";

using Row = std::map<std::string, std::string>;

std::vector<Row> LoadManifest() {
    std::ifstream in(kPeers / "manifest.tsv");
    std::vector<Row> rows;
    std::string line;
    std::vector<std::string> names;
    auto split = [](const std::string& text) {
        std::vector<std::string> cells;
        std::stringstream stream(text);
        std::string cell;
        while (std::getline(stream, cell, '\t')) cells.push_back(cell);
        return cells;
    };
    if (std::getline(in, line)) names = split(line);
    while (std::getline(in, line)) {
        const auto cells = split(line);
        Row row;
        for (std::size_t i = 0; i < names.size() && i < cells.size(); ++i) row[names[i]] = cells[i];
        rows.push_back(std::move(row));
    }
    return rows;
}

bool IsFixedText(const std::string& text) {
    static const std::set<std::string> fixed = {
        kMsgNonDescript,         kMsgMemoryAllocation,    kMsgFileDoesntExist,
        kMsgFormatNotRecognized, kMsgUnsupportedBitdepth, kMsgBmpCompression,
        kMsgBmpBitplanes,        kMsgTgaPaletteEntries,   kMsgTgaUnsupportedVersion,
        kMsgPngCreateStruct,     kMsgPngCreateInfo,       kMsgFileTooShort};
    return fixed.count(text) > 0;
}

// Files the readers accept on purpose although neither reference decoder does.
const std::set<std::string> kAcceptedOnPurpose = {
    // biClrUsed 300 on an 8-bit file: the table is clamped to 256 entries.
    "bmp/bmpsuite/q/pal8oversizepal.bmp",
};

// Where the readers knowingly differ from the manifest's chosen decoder.
const std::map<std::string, std::string> kDocumentedDifferences = {
    {"bmp/bmpsuite/b/pal8badindex.bmp",
     "indices past the file's colour table keep the initial table entries (red = index), "
     "the reference shows black"},
    {"tga/image-rs/testsuite/b5-unused-cmap.tga",
     "the only reference decoder reads the pixels from where the colour map is; the map is skipped "
     "here"},
};

// Files whose picture the program keeps without the file's transparency: a
// paletted or true-colour picture plus the `transparent` flag, never an alpha channel.
bool CarriesTransparencyKey(const Row& row) {
    return row.at("format") == "PNG" &&
           row.at("pillow_info").find("transparency") != std::string::npos;
}

struct Outcome {
    int accepted = 0, matched = 0, refused = 0, unchecked = 0;
};

void CheckImageFile(const Row& row, Outcome& outcome) {
    const std::string& rel = row.at("path");
    FileFormat* registered = FindFormat(Formats().Formats(), rel);
    if (!registered || registered->TypeId() == 1) return;
    const auto format = registered->Clone();
    const std::string& expected = row.at("expected_rgba_sha256");
    const std::string& basis = row.at("expected_basis");
    if (!format->Read((kPeers / rel).string())) {
        ++outcome.refused;
        const bool libraryText = format->TypeId() == 3 && !format->message.empty();
        EXPECT_TRUE(IsFixedText(format->message) || libraryText) << rel << ": " << format->message;
        return;
    }
    ++outcome.accepted;
    if (basis == "refused") {
        EXPECT_TRUE(kAcceptedOnPurpose.count(rel)) << rel << " should be refused";
        return;
    }
    if (expected.empty() || CarriesTransparencyKey(row) || kDocumentedDifferences.count(rel)) {
        ++outcome.unchecked;
        return;
    }
    const auto rgba = ToRgba(format->image.get());
    const std::string actual = Sha256Hex(rgba.data(), rgba.size());
    EXPECT_EQ(actual, expected) << rel << " (" << basis << ", " << DibBitCount(format->image.get())
                                << " bpp)";
    if (actual == expected) ++outcome.matched;
}

void CheckPaletteFile(const Row& row) {
    const std::string& kind = row.at("format");
    if (kind != "JASC-PAL" && kind != "RIFF-PAL") return;
    PaletteFormat format;
    const std::string& rel = row.at("path");
    ASSERT_TRUE(format.Read((kPeers / rel).string())) << rel << ": " << format.message;
    PackedDib holder = format.image.get();
    std::vector<std::uint8_t> rgb;
    for (int i = 0; i < DibColorCount(holder); ++i) {
        const RgbQuad c = DibColors(holder)[i];
        rgb.insert(rgb.end(), {c.rgbRed, c.rgbGreen, c.rgbBlue});
    }
    const int listed = std::stoi(row.at("palette_colors"));
    EXPECT_EQ(DibColorCount(holder), std::min(listed, 256)) << rel;
    if (listed <= 256) {
        EXPECT_EQ(Sha256Hex(rgb.data(), rgb.size()), row.at("palette_rgb_sha256")) << rel;
    }
}

TEST(PeerFiles, ImagesDecodeToTheManifestPixelsOrAreRefusedWithAFixedText) {
    if (!fs::exists(kPeers / "manifest.tsv")) GTEST_SKIP() << "no shared test data";
    Outcome outcome;
    for (const Row& row : LoadManifest()) {
        if (!fs::exists(kPeers / row.at("path"))) continue;
        CheckImageFile(row, outcome);
    }
    EXPECT_GT(outcome.matched, 150);
    std::cout << "accepted " << outcome.accepted << ", matched " << outcome.matched << ", refused "
              << outcome.refused << ", without an agreed picture " << outcome.unchecked << "\n";
}

TEST(PeerFiles, PaletteFilesGiveTheManifestColours) {
    if (!fs::exists(kPeers / "manifest.tsv")) GTEST_SKIP() << "no shared test data";
    for (const Row& row : LoadManifest())
        if (fs::exists(kPeers / row.at("path"))) CheckPaletteFile(row);
}

std::string RgbHash(const std::vector<RgbQuad>& colors) {
    std::vector<std::uint8_t> rgb;
    for (const RgbQuad& c : colors) rgb.insert(rgb.end(), {c.rgbRed, c.rgbGreen, c.rgbBlue});
    return Sha256Hex(rgb.data(), rgb.size());
}

TEST(PeerFiles, GimpAndAdobeTablesGiveTheManifestColoursOrNameTheBadLine) {
    if (!fs::exists(kPeers / "manifest.tsv")) GTEST_SKIP() << "no shared test data";
    int checked = 0;
    for (const Row& row : LoadManifest()) {
        const std::string& kind = row.at("format");
        const std::string& rel = row.at("path");
        if ((kind != "GIMP-GPL" && kind != "ACT") || !fs::exists(kPeers / rel)) continue;
        const PaletteLayout layout = kind == "ACT" ? PaletteLayout::Act : PaletteLayout::Gimp;
        const std::vector<std::uint8_t> bytes = testing::ReadFileBytes((kPeers / rel).string());
        const bool bad = row.at("palette_info").find("bad line") != std::string::npos;
        try {
            const PaletteColors read = DecodePalette(layout, bytes);
            EXPECT_FALSE(bad) << rel << " was read";
            const int listed = std::stoi(row.at("palette_colors"));
            EXPECT_EQ(read.colors.size(), static_cast<std::size_t>(std::min(listed, 256))) << rel;
            if (listed <= 256) {
                EXPECT_EQ(RgbHash(read.colors), row.at("palette_rgb_sha256")) << rel;
            }
        } catch (const FormatError& error) {
            EXPECT_TRUE(bad) << rel << ": " << error.text;
            EXPECT_EQ(error.text.rfind("line ", 0), 0u) << error.text;
        }
        ++checked;
    }
    EXPECT_GE(checked, 15);
}

TEST(PeerFiles, OtherPaletteLayoutsAreNotRecognized) {
    if (!fs::exists(kPeers / "manifest.tsv")) GTEST_SKIP() << "no shared test data";
    for (const Row& row : LoadManifest()) {
        const std::string& kind = row.at("format");
        if (kind != "GIMP-GPL" && kind != "ACT" && kind != "RAW768-PAL") continue;
        PaletteFormat format;
        EXPECT_FALSE(format.Read((kPeers / row.at("path")).string())) << row.at("path");
        EXPECT_EQ(format.message, kMsgFormatNotRecognized) << row.at("path");
    }
}

}  // namespace
}  // namespace vorlin
