#include "formats/format_registry.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "formats/bmp_format.h"
#include "formats/byte_sink.h"
#include "formats/format_messages.h"
#include "formats/png_format.h"
#include "support/format_test_util.h"
#include "support/temp_profile.h"

namespace vorlin {
namespace {

TEST(FormatRegistry, FixedOrderAndLookupByExtension) {
    FormatRegistry registry;
    const auto list = registry.Formats();
    ASSERT_EQ(list.size(), 5u);
    const char* names[] = {"BMP", "PAL", "PCX", "PNG", "targa"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(list[i]->TypeId(), i);
        EXPECT_EQ(list[i]->ShortName(), names[i]);
    }
    EXPECT_EQ(FindFormat(list, "picture.TARGA"), list[4]);
    EXPECT_EQ(FindFormat(list, "picture.tga"), list[4]);
    EXPECT_EQ(FindFormat(list, "a.b/c.Png"), list[3]);
    EXPECT_EQ(FindFormat(list, "pcx"), list[2]);  // a bare extension
    EXPECT_EQ(FindFormat(list, "picture"), nullptr);
    EXPECT_EQ(FindFormat(list, "picture.xyz"), nullptr);
    EXPECT_EQ(FindFormat(list, "palette.act"), nullptr);
    EXPECT_EQ(&registry.Current(), list[0]);
}

TEST(FileFormat, CopiesDuplicateTheImageAndOptions) {
    PngFormat png;
    png.AttachImage(testing::PatternDib(2, 2, 8));
    png.transparent = 1;
    png.depth = 4;
    PngFormat copy(png);
    ASSERT_TRUE(copy.image);
    EXPECT_NE(copy.image.get(), png.image.get());
    EXPECT_EQ(copy.transparent, 1);
    EXPECT_EQ(copy.depth, 4);
    DibPtr old = png.AttachImage(nullptr);
    EXPECT_TRUE(old);
    EXPECT_EQ(png.hasImage, 0);
    png.Clear();
    EXPECT_EQ(png.depth, 8);
    BmpFormat empty;
    MemorySink sink;
    EXPECT_FALSE(empty.WriteTo(sink));
    EXPECT_EQ(empty.message, kMsgNonDescript);
    EXPECT_FALSE(empty.Read("/nonexistent/folder/x.bmp"));
    EXPECT_EQ(empty.message, kMsgFileDoesntExist);
}

TEST(FileFormat, FailedSaveLeavesTheOldFileIntactAndNoLitter) {
    ScopedTempDir dir;
    const std::string target = dir.File("keep.png");
    testing::WriteFileBytes(target, {1, 2, 3});
    PngFormat format;
    format.AttachImage(testing::PatternDib(2, 2, 16));
    EXPECT_FALSE(format.Write(target));
    EXPECT_EQ(testing::ReadFileBytes(target), (std::vector<std::uint8_t>{1, 2, 3}));
    format.AttachImage(testing::PatternDib(2, 2, 8));
    ASSERT_TRUE(format.Write(target));
    EXPECT_EQ(testing::ReadFileBytes(target).size() > 8, true);
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        ++files;
    EXPECT_EQ(files, 1);
    EXPECT_FALSE(format.Write(dir.File("missing/sub/x.png")));
    EXPECT_EQ(format.message, kMsgFileDoesntExist);
}

}  // namespace
}  // namespace vorlin
