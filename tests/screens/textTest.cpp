// Bitmap text: the glyph table and the cell layout, read back from the recorded sprites.
#include <gtest/gtest.h>

#include "core/text.h"
#include "fakevideo.h"

TEST(Text, GlyphTable) {
    EXPECT_EQ(textGlyphIndex('A'), 0);
    EXPECT_EQ(textGlyphIndex('Z'), 25);
    EXPECT_EQ(textGlyphIndex('0'), 26);
    EXPECT_EQ(textGlyphIndex('9'), 35);
    EXPECT_EQ(textGlyphIndex(':'), 36);
    EXPECT_EQ(textGlyphIndex(','), 37);
    EXPECT_EQ(textGlyphIndex('.'), 38);
    EXPECT_EQ(textGlyphIndex('-'), 39);
    EXPECT_EQ(textGlyphIndex('@'), 40);
    for (int c : {32, int('a'), int('z'), int('/'), int('['), int('?'), 0, 127, 128, 200, 255})
        EXPECT_EQ(textGlyphIndex(static_cast<unsigned char>(c)), -1) << c;
}

TEST(Text, CentredLinePutsFirstAndLastCellSymmetric) {
    fakeReset();
    textDraw(0, 3, -0.5f, 0.2f, 0.2f, "QUICK TEST", 1);
    auto sprites = fakeCallsNamed("DrawSprite");
    ASSERT_EQ(sprites.size(), 9u); // the space is an empty cell
    EXPECT_FLOAT_EQ(sprites.front().args[0], -20.25f);
    EXPECT_FLOAT_EQ(sprites.back().args[0], 20.25f);
    EXPECT_EQ(sprites.front().args[5], 16);     // Q
    EXPECT_FLOAT_EQ(sprites[5].args[0], 6.75f); // T, after the empty cell at 2.25
    for (const FakeCall &c : sprites) {
        EXPECT_FLOAT_EQ(c.args[1], 3);
        EXPECT_FLOAT_EQ(c.args[2], -0.5f);
        EXPECT_FLOAT_EQ(c.args[3], 0.2f);
        EXPECT_FLOAT_EQ(c.args[4], 0.2f);
    }
}

TEST(Text, CellsWithoutGlyphsTakeTheirWidth) {
    fakeReset();
    // A lower-case letter and a byte above 127 leave empty cells.
    textDraw(10, 0, -0.5f, 0.4f, 0.4f,
             "Ab\xC8"
             "C",
             0);
    auto sprites = fakeCallsNamed("DrawSprite");
    ASSERT_EQ(sprites.size(), 2u);
    EXPECT_FLOAT_EQ(sprites[0].args[0], 10);
    EXPECT_FLOAT_EQ(sprites[1].args[0], 23.5f);
    EXPECT_EQ(sprites[1].args[5], 2);

    // Only a flag of exactly 1 centres; the scale never changes the cells.
    fakeReset();
    textDraw(10, 0, -0.5f, 0.4f, 0.4f, "AB", 2);
    EXPECT_FLOAT_EQ(fakeCallsNamed("DrawSprite")[0].args[0], 10);
    fakeReset();
    textDraw(0, 0, -0.5f, 0.4f, 0.4f, "AB", 1);
    EXPECT_FLOAT_EQ(fakeCallsNamed("DrawSprite")[0].args[0], -2.25f);

    fakeReset();
    textDraw(0, 0, -0.5f, 0.2f, 0.2f, "", 1);
    textDraw(0, 0, -0.5f, 0.2f, 0.2f, "   ", 1);
    EXPECT_TRUE(fakeCalls.empty());
}
