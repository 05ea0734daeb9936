#include "app/bank_save_check.h"

#include <gtest/gtest.h>

#include <optional>
#include <utility>

#include "document/index_image.h"

namespace vorlin {
namespace {

// Entry i gets a colour of its own, so only the rows that make two entries equal see a
// pixel keep its colour across banks.
CIndexImage DistinctPicture(const std::vector<std::uint8_t>& pixels) {
    CIndexImage image;
    EXPECT_TRUE(image.Create(static_cast<int>(pixels.size()), 1, nullptr, nullptr));
    std::vector<RgbQuad> colours(256);
    for (int i = 0; i < 256; ++i)
        colours[static_cast<std::size_t>(i)] =
            RgbQuad{static_cast<std::uint8_t>(i), 7, static_cast<std::uint8_t>(255 - i), 0};
    image.SetColors(0, 256, colours.data());
    std::copy(pixels.begin(), pixels.end(), image.Row(0));
    return image;
}

TEST(BankSaveCheck, CountsPixelsWhoseColourTheFileChanges) {
    struct Row {
        std::uint32_t offset;
        std::vector<std::uint8_t> pixels;
        std::optional<std::pair<int, int>> sameColour;  // entry .second takes entry .first's colour
        std::uint64_t outside;
        std::uint64_t firstEntry;
    };
    const Row rows[] = {
        {0, {0, 15, 15, 1}, {}, 0, 0},
        {0, {16, 15, 255, 0}, {}, 2, 0},                 // 16 and 255 fall onto entries 0 and 15
        {32, {0x20, 0x2F, 0x1F, 0x30}, {}, 2, 1},        // 0x20 is written as colour 0
        {32, {0, 0, 0x21, 0x2F}, {}, 0, 0},              // index 0 is entry 0 in every bank
        {32, {0x20, 0x20, 0x21, 0}, {{0, 0x20}}, 0, 0},  // first entry already shows colour 0
        {32, {0x11, 0x12}, {{0x21, 0x11}}, 1, 0},        // 0x11 lands on 0x21 of the same colour
        {240, {0xF0, 0xFF, 0xEF, 0x0F}, {}, 2, 1},
        {16, {0x10, 0x10, 0x10}, {}, 0, 3},
    };
    for (const Row& row : rows) {
        CIndexImage image = DistinctPicture(row.pixels);
        if (row.sameColour)
            image.SetColors(row.sameColour->second, 1, &image.Palette()[row.sameColour->first]);
        const FourBitSaveLoss loss = CountFourBitSaveLoss(image, row.offset);
        EXPECT_EQ(loss.outside, row.outside) << row.offset << " " << int{row.pixels[0]};
        EXPECT_EQ(loss.firstEntry, row.firstEntry) << row.offset << " " << int{row.pixels[0]};
    }
}

TEST(BankSaveCheck, QuestionNamesEveryKindOfChange) {
    const std::string tail =
        ".\nSaving at 4 bits per pixel will change their colours.\nSave anyway?";
    const struct {
        FourBitSaveLoss loss;
        std::uint32_t offset;
        std::string text;
    } rows[] = {
        {{1, 0}, 32, "1 pixel uses colours outside palette bank 2 (entries 32 to 47)"},
        {{0, 5},
         32,
         "5 pixels use the first entry of palette bank 2 (entry 32), which is saved as colour 0"},
        {{70000, 1},
         240,
         "70000 pixels use colours outside palette bank 15 (entries 240 to 255) and 1 pixel uses "
         "the bank's first entry, which is saved as colour 0"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(FourBitSaveQuestion(row.loss, row.offset), row.text + tail);
}

}  // namespace
}  // namespace vorlin
