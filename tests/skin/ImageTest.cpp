#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "SkinTestSupport.h"
#include "skin/ImageEx.h"
#include "skin/NineGrid.h"
#include "skin/Premultiply.h"

namespace {

constexpr DWORD kAlphaBlendFunction = AC_SRC_OVER | (0u << 8) | (255u << 16) | (AC_SRC_ALPHA << 24);

bool IsCopy(const RecordedBlit& blit) { return blit.type == EMR_STRETCHBLT || blit.type == EMR_BITBLT; }

std::uint32_t Rgb(std::uint32_t pixel) { return pixel & 0xFFFFFF; }

// 1250 x 32 without alpha: columns 0-119 red, 120-1239 green, 1240-1249
// blue; row 0 and row 31 darker, so that the borders can be told apart.
std::vector<std::uint32_t> BandedTitleBar()
{
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < 32; ++y) {
        const std::uint32_t level = (y == 0 || y == 31) ? 0x80 : 0xFF;
        for (int x = 0; x < 1250; ++x) {
            const int shift = x < 120 ? 16 : x < 1240 ? 8 : 0;
            pixels.push_back(0xFF000000 | (level << shift));
        }
    }
    return pixels;
}

} // namespace

TEST(Premultiply, TruncatesEachColourByAlpha)
{
    const struct {
        std::uint8_t in[4];
        std::uint8_t out[4];
    } cases[] = {
        {{200, 100, 50, 128}, {100, 50, 25, 128}},
        {{200, 100, 50, 0}, {0, 0, 0, 0}},
        {{200, 100, 50, 255}, {200, 100, 50, 255}},
        {{255, 255, 255, 1}, {1, 1, 1, 1}},
        {{1, 2, 254, 254}, {0, 1, 253, 254}},
    };
    for (const auto& c : cases) {
        std::uint8_t pixel[4] = {c.in[0], c.in[1], c.in[2], c.in[3]};
        PremultiplyPixels(pixel, 1);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(pixel[i], c.out[i]) << "byte " << i << " of " << int(c.in[0]) << "," << int(c.in[3]);
    }
}

TEST(ImageEx, StreamWithAlphaIsPremultipliedOnLoadAndBlendedOver)
{
    // ARGB: (blue 200, green 100, red 50, alpha 128), then alpha 0, then opaque.
    const std::vector<std::uint32_t> argb = {0x803264C8, 0x00FFFFFF, 0xFF123456};
    const std::string png = EncodePng(3, 1, argb, true);
    ASSERT_FALSE(png.empty());
    CImageEx image;
    ASSERT_TRUE(image.LoadFromStream(StreamOf(png).Get()));
    EXPECT_TRUE(image.HasAlpha());
    EXPECT_EQ(image.GetBPP(), 32);
    const auto* bits = static_cast<const std::uint32_t*>(image.GetBits());
    EXPECT_EQ(bits[0], 0x80193264u); // blue 100, green 50, red 25, alpha 128
    EXPECT_EQ(bits[1], 0u);
    EXPECT_EQ(bits[2], 0xFF123456u);

    // Over black a premultiplied pixel comes out as itself.
    Dib black(3, 1, 0);
    ASSERT_TRUE(image.Draw(black.Dc(), RECT{0, 0, 3, 1}));
    EXPECT_EQ(Rgb(black.At(0, 0)), 0x193264u);
    EXPECT_EQ(Rgb(black.At(1, 0)), 0u);
    EXPECT_EQ(Rgb(black.At(2, 0)), 0x123456u);
    // A transparent pixel leaves the destination as it was.
    Dib grey(3, 1, 0xFF808080);
    image.Draw(grey.Dc(), RECT{0, 0, 3, 1});
    EXPECT_EQ(Rgb(grey.At(1, 0)), 0x808080u);
}

TEST(ImageEx, SourceWithoutAlphaHasNoneAndIsNotPremultiplied)
{
    CImageEx image;
    ASSERT_TRUE(image.LoadFromStream(StreamOf(EncodePng(2, 1, {0xFF102030, 0xFFFFFFFF}, false)).Get()));
    EXPECT_FALSE(image.HasAlpha());
    EXPECT_NE(image.GetBPP(), 32);
    EXPECT_FALSE(image.PremultiplyAlpha());
}

TEST(ImageEx, TitleBarImageIsDrawnOpaque)
{
    CImageEx bar;
    ASSERT_TRUE(bar.LoadFromId(347));
    EXPECT_EQ(bar.GetWidth(), 1250);
    EXPECT_EQ(bar.GetHeight(), 32);
    EXPECT_FALSE(bar.HasAlpha());
    // Whatever lies below, the result is the same: nothing shows through.
    Dib overMagenta(1250, 32, 0xFFFF00FF), overGreen(1250, 32, 0xFF00FF00);
    bar.Draw(overMagenta.Dc(), RECT{0, 0, 1250, 32});
    bar.Draw(overGreen.Dc(), RECT{0, 0, 1250, 32});
    EXPECT_TRUE(overMagenta.SameAs(overGreen));
    EXPECT_EQ(overMagenta.Count(0xFFFF00FF), 0);
}

TEST(ImageEx, BlendModeFollowsTheAlphaChannel)
{
    CImageEx withAlpha, opaque;
    ASSERT_TRUE(withAlpha.LoadFromId(311));
    ASSERT_TRUE(opaque.LoadFromId(347));
    EXPECT_TRUE(withAlpha.HasAlpha());

    const auto blended = RecordBlits([&](HDC dc) { withAlpha.Draw(dc, RECT{5, 6, 101, 88}); });
    ASSERT_EQ(blended.size(), 1u);
    EXPECT_EQ(blended[0].type, static_cast<DWORD>(EMR_ALPHABLEND));
    EXPECT_EQ(blended[0].rop, kAlphaBlendFunction);
    EXPECT_EQ(blended[0].dest, (RECT{5, 6, 101, 88}));
    EXPECT_EQ(blended[0].source, (RECT{0, 0, 48, 41}));

    const auto copied = RecordBlits([&](HDC dc) { opaque.Draw(dc, RECT{0, 0, 625, 16}); });
    ASSERT_EQ(copied.size(), 1u);
    EXPECT_TRUE(IsCopy(copied[0]));
    EXPECT_EQ(copied[0].rop, static_cast<DWORD>(SRCCOPY));
}

TEST(ImageEx, MissingOrBadSourcesLeaveTheImageEmpty)
{
    for (int id : {999, 317, 333, 0, -1}) {
        CImageEx image;
        EXPECT_FALSE(image.LoadFromId(id)) << id;
        EXPECT_TRUE(image.IsNull()) << id;
        EXPECT_EQ(image.GetWidth(), 0) << id;
        EXPECT_EQ(image.GetHeight(), 0) << id;
    }
    CImageEx garbage;
    EXPECT_FALSE(garbage.LoadFromStream(StreamOf("not a picture at all").Get()));
    EXPECT_TRUE(garbage.IsNull());

    // Drawing an empty image draws nothing.
    Dib dib(20, 20, 0xFF336699);
    garbage.Draw(dib.Dc(), RECT{0, 0, 20, 20});
    EXPECT_EQ(dib.Count(0xFF336699), 400);
}

TEST(ImageEx, OnlyTheLow16BitsOfAnIdNameTheResource)
{
    CImageEx image;
    ASSERT_TRUE(image.LoadFromId(0x10000 + 311));
    EXPECT_EQ(image.GetWidth(), 48);
    EXPECT_EQ(image.GetHeight(), 41);
}

TEST(NineGrid, PiecesInOrderWithEmptyOnesLeftOut)
{
    const SkinBox margins{120, 1, 10, 1};
    const auto wide = NineGridPieces({0, 0, 1600, 32}, margins, 1250, 32);
    const std::vector<NineGridPiece> expected = {
        {{0, 0, 120, 1}, {0, 0, 120, 1}},             // top-left
        {{0, 1, 120, 31}, {0, 1, 120, 31}},           // left
        {{120, 0, 1590, 1}, {120, 0, 1240, 1}},       // top
        {{1590, 0, 1600, 1}, {1240, 0, 1250, 1}},     // top-right
        {{1590, 1, 1600, 31}, {1240, 1, 1250, 31}},   // right
        {{120, 31, 1590, 32}, {120, 31, 1240, 32}},   // bottom
        {{1590, 31, 1600, 32}, {1240, 31, 1250, 32}}, // bottom-right
        {{0, 31, 120, 32}, {0, 31, 120, 32}},         // bottom-left
        {{120, 1, 1590, 31}, {120, 1, 1240, 31}},     // centre
    };
    ASSERT_EQ(wide.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(wide[i].dest, expected[i].dest) << "piece " << i;
        EXPECT_EQ(wide[i].source, expected[i].source) << "piece " << i;
    }

    // Offset destination: everything moves with it.
    const auto moved = NineGridPieces({7, 9, 1607, 41}, margins, 1250, 32);
    ASSERT_EQ(moved.size(), 9u);
    EXPECT_EQ(moved[8].dest, (SkinBox{127, 10, 1597, 40}));

    // Narrower than left + right: no top, bottom or centre; the corners and
    // sides keep their full width and overlap.
    const auto narrow = NineGridPieces({0, 0, 100, 32}, margins, 1250, 32);
    ASSERT_EQ(narrow.size(), 6u);
    EXPECT_EQ(narrow[0].dest, (SkinBox{0, 0, 120, 1}));
    EXPECT_EQ(narrow[2].dest, (SkinBox{90, 0, 100, 1}));
    EXPECT_EQ(narrow[5].dest, (SkinBox{0, 31, 120, 32}));

    // A zero top margin drops the top-left, top and top-right pieces.
    const auto noTop = NineGridPieces({0, 0, 1600, 32}, {120, 0, 10, 1}, 1250, 32);
    ASSERT_EQ(noTop.size(), 6u);
    EXPECT_EQ(noTop[0].dest, (SkinBox{0, 0, 120, 31})); // the left edge comes first
    EXPECT_EQ(noTop[5].dest, (SkinBox{120, 0, 1590, 31}));
}

TEST(ImageEx, NineGridOnlyWhenTheSizeDiffers)
{
    CImageEx bar;
    ASSERT_TRUE(bar.LoadFromId(347));
    bar.SetNineGrid(RECT{120, 1, 10, 1});
    ASSERT_TRUE(bar.IsNineGrid());

    const auto same = RecordBlits([&](HDC dc) { bar.Draw(dc, RECT{0, 0, 1250, 32}); });
    ASSERT_EQ(same.size(), 1u);
    EXPECT_EQ(same[0].dest, (RECT{0, 0, 1250, 32}));

    const auto wide = RecordBlits([&](HDC dc) { bar.Draw(dc, RECT{0, 0, 1600, 32}); });
    ASSERT_EQ(wide.size(), 9u);
    for (const auto& blit : wide)
        EXPECT_TRUE(IsCopy(blit));
    EXPECT_EQ(wide[8].dest, (RECT{120, 1, 1590, 31}));
    EXPECT_EQ(wide[8].source, (RECT{120, 1, 1240, 31}));

    EXPECT_EQ(RecordBlits([&](HDC dc) { bar.Draw(dc, RECT{0, 0, 100, 32}); }).size(), 6u);
    EXPECT_EQ(RecordBlits([&](HDC dc) { bar.DrawNineGrid(dc, 0, 0, 1600, 32, 120, 0, 10, 1); }).size(), 6u);
}

TEST(ImageEx, NineGridKeepsTheBordersAndStretchesTheMiddle)
{
    CImageEx banded;
    ASSERT_TRUE(banded.LoadFromStream(StreamOf(EncodePng(1250, 32, BandedTitleBar(), false)).Get()));
    banded.SetNineGrid(RECT{120, 1, 10, 1});
    Dib dib(1600, 32);
    banded.Draw(dib.Dc(), RECT{0, 0, 1600, 32});
    for (int y : {0, 15, 31}) {
        const std::uint32_t level = (y == 0 || y == 31) ? 0x80 : 0xFF;
        for (int x = 0; x < 1600; ++x) {
            const int shift = x < 120 ? 16 : x < 1590 ? 8 : 0;
            ASSERT_EQ(Rgb(dib.At(x, y)), level << shift) << "x " << x << " y " << y;
        }
    }

    // The built-in art: the kept parts are the source's own columns.
    CImageEx bar;
    ASSERT_TRUE(bar.LoadFromId(347));
    Dib source(1250, 32);
    bar.Draw(source.Dc(), RECT{0, 0, 1250, 32});
    bar.SetNineGrid(RECT{120, 1, 10, 1});
    Dib wide(1600, 32);
    bar.Draw(wide.Dc(), RECT{0, 0, 1600, 32});
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 120; ++x)
            ASSERT_EQ(wide.At(x, y), source.At(x, y)) << x << "," << y;
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(wide.At(1590 + x, y), source.At(1240 + x, y)) << x << "," << y;
    }
}
