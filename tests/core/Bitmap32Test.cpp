#include "draw/Bitmap32.h"

#include <gtest/gtest.h>

#include "support/FixedTextRasterizer.h"

namespace {

constexpr TColor32 kMark = 0xFF123456;
constexpr TColor32 kBack = 0xFF000000;

struct LineCase {
    int x1, y1, x2, y2;
    std::vector<std::pair<int, int>> expected;  // exactly these pixels are set
};

TEST(Bitmap32, LineSetsThePixelsUpToButNotIncludingTheEndPoint)
{
    const LineCase cases[] = {
        {5, 0, 5, 8, {{5, 0}, {5, 1}, {5, 2}, {5, 3}, {5, 4}, {5, 5}, {5, 6}, {5, 7}}},
        {9, 3, 1, 3, {{2, 3}, {3, 3}, {4, 3}, {5, 3}, {6, 3}, {7, 3}, {8, 3}, {9, 3}}},
        {0,
         9,
         12,
         9,
         {{0, 9}, {1, 9}, {2, 9}, {3, 9}, {4, 9}, {5, 9}, {6, 9}, {7, 9}, {8, 9}, {9, 9}, {10, 9}, {11, 9}}},
        {3, 7, 3, 4, {{3, 5}, {3, 6}, {3, 7}}},
        {4, 4, 4, 4, {}},
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "Line(" << c.x1 << ", " << c.y1 << ", " << c.x2 << ", " << c.y2 << ")");
        TBitmap32 b(12, 10);
        b.Clear(kBack);
        b.Line(c.x1, c.y1, c.x2, c.y2, kMark);
        for (int y = 0; y < b.Height(); ++y)
            for (int x = 0; x < b.Width(); ++x) {
                const bool want =
                    std::find(c.expected.begin(), c.expected.end(), std::make_pair(x, y)) != c.expected.end();
                EXPECT_EQ(b.Pixel(x, y), want ? kMark : kBack) << "pixel " << x << "," << y;
            }
    }
}

TEST(Bitmap32, LineWritesTheColourUnblended)
{
    TBitmap32 b(4, 1);
    b.Clear(kBack);
    b.Line(0, 0, 4, 0, 0x40FF0000);
    EXPECT_EQ(b.Pixel(2, 0), 0x40FF0000u);
}

TEST(Bitmap32, SetPixelSClipsAndReadsOutsideGiveOuterColor)
{
    TBitmap32 b(3, 2);
    b.Clear(kBack);
    b.OuterColor = 0xFFABCDEF;
    b.SetPixelS(-1, 0, kMark);
    b.SetPixelS(3, 1, kMark);
    b.SetPixelS(0, 2, kMark);
    b.SetPixelS(2, 1, kMark);
    EXPECT_EQ(b.Pixel(2, 1), kMark);
    int marked = 0;
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) marked += b.Pixel(x, y) == kMark;
    EXPECT_EQ(marked, 1);
    for (auto [x, y] : {std::pair{-1, 0}, {3, 0}, {0, -1}, {0, 2}}) EXPECT_EQ(b.Pixel(x, y), 0xFFABCDEFu);
}

TEST(Bitmap32, Rotate90TurnsClockwise)
{
    TBitmap32 b(3, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) b.SetPixelS(x, y, static_cast<TColor32>(10 * y + x));
    b.Rotate90();
    ASSERT_EQ(b.Width(), 2);
    ASSERT_EQ(b.Height(), 3);
    // Source (x, y) lands at (oldHeight - 1 - y, x).
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(b.Pixel(2 - 1 - y, x), static_cast<TColor32>(10 * y + x));
}

TEST(Bitmap32, AssignmentCopiesSizePixelsModesAndFont)
{
    TBitmap32 src(2, 2);
    src.Clear(kMark);
    src.DrawMode = TDrawMode::dmBlend;
    src.CombineMode = TCombineMode::cmMerge;
    src.MasterAlpha = 77;
    src.OuterColor = 0x11223344;
    src.Font.Height = 30;
    TBitmap32 dst(5, 5);
    dst = src;
    EXPECT_EQ(dst.Width(), 2);
    EXPECT_EQ(dst.Height(), 2);
    EXPECT_EQ(dst.Pixel(1, 1), kMark);
    EXPECT_EQ(dst.DrawMode, TDrawMode::dmBlend);
    EXPECT_EQ(dst.CombineMode, TCombineMode::cmMerge);
    EXPECT_EQ(dst.MasterAlpha, 77);
    EXPECT_EQ(dst.OuterColor, 0x11223344u);
    EXPECT_EQ(dst.Font.Height, 30);
    // A copy, not a share.
    src.Clear(0);
    EXPECT_EQ(dst.Pixel(0, 0), kMark);
}

TEST(Bitmap32, AMovedFromSurfaceIsEmptyAndSidesAreSetOneByOne)
{
    TBitmap32 a(4, 3);
    TBitmap32 b(std::move(a));
    EXPECT_EQ(b.Width(), 4);
    EXPECT_TRUE(a.Empty());     // NOLINT(bugprone-use-after-move): what is left behind is the point
    a.Line(0, 0, 4, 0, kMark);  // NOLINT(clang-analyzer-cplusplus.Move): must not write anywhere
    TBitmap32 c;
    c = std::move(b);
    EXPECT_TRUE(b.Empty());  // NOLINT(bugprone-use-after-move)
    EXPECT_EQ(c.Height(), 3);

    TBitmap32 sized;
    sized.SetWidth(5);
    EXPECT_TRUE(sized.Empty());
    sized.SetHeight(2);
    EXPECT_EQ(sized.Width(), 5);
    EXPECT_EQ(sized.Height(), 2);
    sized.SetPixelS(4, 1, kMark);
    EXPECT_EQ(sized.Pixel(4, 1), kMark);
}

TEST(Bitmap32, DrawingOnAnEmptySurfaceDoesNothing)
{
    FixedTextRasterizer fixed;
    TBitmap32 b;
    b.SetTextRasterizer(&fixed);
    b.Clear(kMark);
    b.Line(0, 0, 5, 0, kMark);
    b.SetPixelS(0, 0, kMark);
    b.RenderText(0, 0, u"12", 0, kMark);
    b.Rotate90();
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(b.Pixel(0, 0), b.OuterColor);
    TBitmap32 zeroWide(0, 7);
    EXPECT_TRUE(zeroWide.Empty());
}

TEST(Bitmap32, RenderTextCompositesTheCoveredPixelsOnly)
{
    FixedTextRasterizer fixed;
    TBitmap32 b(30, 20);
    b.SetTextRasterizer(&fixed);
    b.Clear(0xFF204060);
    b.UpdateFont();
    EXPECT_EQ(b.TextWidth(u"ab"), 16);
    EXPECT_EQ(b.TextHeight(u"ab"), 14);
    b.RenderText(3, 2, u"a b", 0, 0x80FFFFFF);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x) {
            const bool covered = FixedTextRasterizer::Covers(u"a b", x - 3, y - 2);
            // 0x20 + (0xFF - 0x20) * 128 / 255 rounds to 0x90.
            EXPECT_EQ(b.Pixel(x, y), covered ? Color32(0x90, 0xA0, 0xB0) : 0xFF204060u) << x << "," << y;
        }
}

TEST(Bitmap32, RenderTextClipsAtTheEdges)
{
    FixedTextRasterizer fixed;
    TBitmap32 b(6, 10);
    b.SetTextRasterizer(&fixed);
    b.Clear(kBack);
    b.UpdateFont();
    b.RenderText(-3, -4, u"xx", 0, 0xFFFFFFFF);
    // Surface pixel (x, y) is cell pixel (x + 3, y + 4).
    EXPECT_EQ(b.Pixel(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(b.Pixel(2, 0), 0xFFFFFFFFu);
    EXPECT_EQ(b.Pixel(3, 0), kBack);
    EXPECT_EQ(b.Pixel(5, 0), kBack);
    EXPECT_EQ(b.Pixel(0, 7), 0xFFFFFFFFu);
    EXPECT_EQ(b.Pixel(0, 8), kBack);
}

struct CompositeCase {
    const char* name;
    TColor32 src;
    TColor32 dst;
    int masterAlpha;
    TColor32 blend;
    TColor32 merge;
};

TEST(Bitmap32, BlendAndMerge)
{
    const CompositeCase cases[] = {{"opaque source replaces", 0xFF112233, 0xFF445566, 255, 0xFF112233, 0xFF112233},
                                   {"transparent source keeps", 0x00112233, 0xFF445566, 255, 0xFF445566, 0xFF445566},
                                   {"master alpha zero keeps", 0xFF112233, 0xFF445566, 0, 0xFF445566, 0xFF445566},
                                   {"half over opaque", 0x80FFFFFF, 0xFF000000, 255, 0xFF808080, 0xFF808080},
                                   {"master alpha scales", 0xFFFFFFFF, 0xFF000000, 128, 0xFF808080, 0xFF808080},
                                   // Over a transparent destination only merge keeps the source's colour.
                                   {"half over nothing", 0x80FF0000, 0x00000000, 255, 0x00800000, 0x80FF0000},
                                   {"over half transparent", 0x80000000, 0x80FFFFFF, 255, 0x807F7F7F, 0xC0555555}};
    for (const CompositeCase& c : cases) {
        EXPECT_EQ(BlendColor32(c.src, c.dst, c.masterAlpha), c.blend) << c.name;
        EXPECT_EQ(MergeColor32(c.src, c.dst, c.masterAlpha), c.merge) << c.name;
    }
}

TEST(Bitmap32, DrawToClipsAndHonoursTheDrawMode)
{
    TBitmap32 src(3, 3);
    src.Clear(0x80FFFFFF);
    TBitmap32 dst(4, 4);
    dst.Clear(0xFF000000);
    src.DrawTo(dst, 2, -1);  // opaque: copied as it is
    EXPECT_EQ(dst.Pixel(2, 0), 0x80FFFFFFu);
    EXPECT_EQ(dst.Pixel(3, 1), 0x80FFFFFFu);
    EXPECT_EQ(dst.Pixel(2, 2), 0xFF000000u);
    EXPECT_EQ(dst.Pixel(1, 0), 0xFF000000u);

    dst.Clear(0xFF000000);
    src.DrawMode = TDrawMode::dmBlend;
    src.DrawTo(dst, -2, 3);
    EXPECT_EQ(dst.Pixel(0, 3), 0xFF808080u);
    EXPECT_EQ(dst.Pixel(1, 3), 0xFF000000u);
}

// What a surface draws text with travels with it, whether it is copied or
// moved; a new surface has nothing to draw text with until it is given it.
TEST(Bitmap32, CopyAndMoveCarryTheFontAndTheRasterizer)
{
    FixedTextRasterizer fixed;
    TBitmap32 source(4, 4);
    EXPECT_EQ(source.TextRasterizer(), nullptr);
    EXPECT_EQ(source.TextWidth(u"ab"), 0);
    source.SetTextRasterizer(&fixed);
    source.Font.Name = "Sans";
    source.Font.Height = 21;
    source.UpdateFont();

    TBitmap32 copied;
    copied = source;
    const TBitmap32 constructed(source);
    for (const TBitmap32* b : {static_cast<const TBitmap32*>(&copied), &constructed}) {
        EXPECT_EQ(b->TextRasterizer(), &fixed);
        EXPECT_EQ(b->Font, source.Font);
        EXPECT_EQ(b->TextWidth(u"ab"), 16);
    }
    TBitmap32 moved;
    moved = std::move(copied);
    const TBitmap32 moveConstructed(std::move(moved));
    EXPECT_EQ(moveConstructed.TextRasterizer(), &fixed);
    EXPECT_EQ(moveConstructed.Font, source.Font);
    EXPECT_EQ(moveConstructed.TextWidth(u"ab"), 16);
}

}  // namespace
