#include "app/bank_move_check.h"

#include <gtest/gtest.h>

#include <vector>

#include "document/index_image.h"

namespace vorlin {
namespace {

TEST(BankMoveCheck, CountsBanksInUseAndPixelsWhoseColourChanges) {
    const struct {
        std::vector<std::uint8_t> pixels;
        int bank;
        int sameAs;  // entry that takes the colour of 16·bank + its low nibble; −1: none
        int banksUsed;
        std::uint64_t changed;
    } rows[] = {
        {{0x23, 0x25, 0x2F}, 4, -1, 1, 3},  // one bank: moved without a question
        {{0x03, 0x23, 0x23}, 2, -1, 2, 1},
        {{0x03, 0x23}, 2, 0x03, 2, 0},  // the colours already match in the new bank
        {{0x00, 0x11, 0xFF, 0xFF}, 15, -1, 3, 2},
    };
    for (const auto& row : rows) {
        CIndexImage image;
        ASSERT_TRUE(image.Create(static_cast<int>(row.pixels.size()), 1, nullptr, nullptr));
        std::vector<RgbQuad> colours(256);
        for (int i = 0; i < 256; ++i)
            colours[static_cast<std::size_t>(i)] = RgbQuad{static_cast<std::uint8_t>(i), 3, 9, 0};
        image.SetColors(0, 256, colours.data());
        if (row.sameAs >= 0)
            image.SetColors(row.sameAs, 1, &image.Palette()[16 * row.bank + row.sameAs % 16]);
        std::copy(row.pixels.begin(), row.pixels.end(), image.Row(0));
        const BankMoveLoss loss = CountBankMoveLoss(image, row.bank);
        EXPECT_EQ(loss.banksUsed, row.banksUsed) << int{row.pixels[0]};
        EXPECT_EQ(loss.changed, row.changed) << int{row.pixels[0]};
    }
    EXPECT_EQ(BankMoveQuestion({3, 70000}, 12),
              "The picture uses colours of 3 palette banks.\nMoving every pixel into palette "
              "bank 12 (entries 192 to 207) changes the colour of 70000 pixels.\nMove them?");
}

}  // namespace
}  // namespace vorlin
