#include "app/tool_texts.h"

#include <gtest/gtest.h>

#include <set>

#include "tools/tool_catalog.h"

namespace vorlin {
namespace {

TEST(ToolTexts, PromptTipAndKeyComeFromTheDescription) {
    struct Row {
        int id;
        const char* prompt;
        const char* tip;
        char key;
    };
    const Row rows[] = {
        {1025, "Select a rectangle, then drag to move ; +CTRL: drop and drag", "Select (S)", 'S'},
        {1026, "Pick this texel's color as a button color", "Pipette (P)", 'P'},
        {1029, "Colors a texel", "Pencil (O)", 'O'},
        {1032, "Draws an ellipse ; +CTRL: width == height; + SHIFT: start is center", "Ellipse (C)",
         'C'},
    };
    for (const Row& row : rows) {
        const ToolTexts texts = TextsOf(*FindToolInfo(row.id));
        EXPECT_EQ(texts.prompt, row.prompt);
        EXPECT_EQ(texts.tip, row.tip);
        EXPECT_EQ(texts.key, row.key);
    }
}

TEST(ToolTexts, EveryToolHasItsOwnKey) {
    std::set<char> keys;
    for (const ToolInfo& info : kToolTable) {
        const char key = TextsOf(info).key;
        ASSERT_NE(key, 0) << info.id;
        EXPECT_TRUE(keys.insert(key).second) << "key " << key << " picks two tools";
        EXPECT_EQ(ToolForKey(key), info.id);
        EXPECT_EQ(ToolForKey(static_cast<char>(key - 'A' + 'a')), info.id);
    }
}

TEST(ToolTexts, KeysOfNoToolAndOddTipsPickNothing) {
    for (char letter : {'A', 'q', '1', ' ', '(', '\0'}) EXPECT_EQ(ToolForKey(letter), 0) << letter;
    const ToolInfo odd[] = {
        {1, "", "", 0, 0, "prompt only"},
        {2, "", "", 0, 0, "prompt\nNo key"},
        {3, "", "", 0, 0, "prompt\nlower (x)"},
        {4, "", "", 0, 0, "prompt\nTwo (XY)"},
        {5, "", "", 0, 0, "\n(Q)"},
    };
    for (const ToolInfo& info : odd) EXPECT_EQ(TextsOf(info).key, info.id == 5 ? 'Q' : 0);
    EXPECT_EQ(TextsOf(odd[0]).prompt, "prompt only");
    EXPECT_EQ(TextsOf(odd[0]).tip, "");
}

}  // namespace
}  // namespace vorlin
