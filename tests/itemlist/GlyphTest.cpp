// The expand and collapse glyphs embedded in the item list: 9 x 9, framed, with a bar or a cross.
#include <gtest/gtest.h>

#include <QImage>
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/core/Colors.h"
#include "platform/core/Resources.h"
#include "platform/gui/Graphics.h"

namespace zk::test {

namespace {

// The glyph as the tree shows it: a one-pixel black frame, white inside, a five-pixel bar
// across the middle row and, for the plus sign, down the middle column.
bool ExpectedBlack(int X, int Y, bool Plus) {
    if (X == 0 || Y == 0 || X == 8 || Y == 8) return true;
    if (Y == 4 && X >= 2 && X <= 6) return true;
    return Plus && X == 4 && Y >= 2 && Y <= 6;
}

void ExpectGlyph(const std::string& Name, bool Plus) {
    SCOPED_TRACE(Name);
    TOwned<TBitmap> Glyph(Create<TBitmap>());
    Glyph->LoadFromResourceName(Name);
    ASSERT_EQ(9, Glyph->GetWidth());
    ASSERT_EQ(9, Glyph->GetHeight());
    for (int Y = 0; Y < 9; ++Y)
        for (int X = 0; X < 9; ++X)
            EXPECT_EQ(ExpectedBlack(X, Y, Plus) ? clBlack : clWhite, Glyph->GetPixel(X, Y))
                << "pixel " << X << "," << Y;
}

}  // namespace

TEST(GlyphTest, TheMinusSignIsAFramedHorizontalBar) {
    ExpectGlyph("MINUSSIGN", false);
}

TEST(GlyphTest, ThePlusSignIsAFramedCross) {
    ExpectGlyph("PLUSSIGN", true);
}

TEST(GlyphTest, BothGlyphsAreEmbeddedAsMonochromeBitmaps) {
    for (const char* Name : {"MINUSSIGN", "PLUSSIGN"}) {
        const uint8_t* Data = nullptr;
        size_t Size = 0;
        ASSERT_TRUE(FindResource(Name, RT_BITMAP, Data, Size)) << Name;
        QImage Image;
        ASSERT_TRUE(Image.loadFromData(Data, static_cast<int>(Size), "BMP")) << Name;
        EXPECT_EQ(1, Image.depth()) << Name;
    }
}

}  // namespace zk::test
