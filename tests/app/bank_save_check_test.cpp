#include "app/bank_save_check.h"

#include <gtest/gtest.h>

#include "document/index_image.h"

namespace vorlin {
namespace {

TEST(BankSaveCheck, CountsPixelsWhoseHighNibbleIsNotTheBank) {
    struct Row {
        std::uint32_t offset;
        std::vector<std::uint8_t> pixels;
        std::uint64_t outside;
    };
    const Row rows[] = {
        {0, {0, 15, 15, 1}, 0},
        {0, {16, 15, 255, 0}, 2},
        {32, {0x20, 0x2F, 0x1F, 0x30}, 2},
        {240, {0xF0, 0xFF, 0xEF, 0x0F}, 2},
    };
    for (const Row& row : rows) {
        CIndexImage image;
        ASSERT_TRUE(image.Create(2, 2, nullptr, nullptr));
        for (int i = 0; i < 4; ++i) image.Row(i / 2)[i % 2] = row.pixels[static_cast<std::size_t>(i)];
        EXPECT_EQ(CountPixelsOutsideBank(image, row.offset), row.outside) << row.offset;
    }
}

TEST(BankSaveCheck, QuestionNamesCountAndBank) {
    EXPECT_EQ(OutsideBankQuestion(1, 32).substr(0, 58),
              "1 pixel uses colours outside palette bank 2 (entries 32 to");
    EXPECT_EQ(OutsideBankQuestion(70000, 240).substr(0, 48),
              "70000 pixels use colours outside palette bank 15");
}

}  // namespace
}  // namespace vorlin
