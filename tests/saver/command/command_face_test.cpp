#include <gtest/gtest.h>

#include "command_face.h"

// Internal, at global scope where lookup finds them.
static bool operator==(const FacePiece& a, const FacePiece& b)
{
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height &&
           a.sourceLeft == b.sourceLeft && a.sourceTop == b.sourceTop &&
           a.sourceWidth == b.sourceWidth && a.sourceHeight == b.sourceHeight;
}

static bool operator==(const GradientColour& a, const GradientColour& b)
{
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

TEST(CommandFace, FramePiecesOfTheSettingsButtons)
{
    // 77 x 25: corners as they are, edges stretched; twips of 1 fall on pixel 0.
    const std::vector<FacePiece> expected = {
        {0, 0, 4, 4, 0, 0, 4, 4},     {4, 0, 69, 4, 4, 0, 56, 4},   {73, 0, 4, 4, 60, 0, 4, 4},
        {73, 4, 4, 17, 60, 4, 4, 17}, {73, 21, 4, 4, 60, 21, 4, 4}, {4, 21, 69, 4, 4, 21, 56, 4},
        {0, 21, 4, 4, 0, 21, 4, 4},   {0, 4, 4, 17, 0, 4, 4, 17},
    };
    EXPECT_EQ(FacePieces(77, 25), expected);
    // At the picture's own size every piece is a plain copy.
    for (const FacePiece& piece : FacePieces(64, 25)) {
        EXPECT_EQ(piece.left, piece.sourceLeft);
        EXPECT_EQ(piece.top, piece.sourceTop);
        EXPECT_EQ(piece.width, piece.sourceWidth);
        EXPECT_EQ(piece.height, piece.sourceHeight);
    }
}

TEST(CommandFace, PiecesThatOverflowSixteenBitsAreLeftOut)
{
    // Up to 2188 pixels (32820 twips) everything fits. At 2189 the right
    // column's left, 32775 twips, does not; the edges' 32715 twips still do.
    EXPECT_EQ(FacePieces(2188, 25).size(), 8u);
    const std::vector<FacePiece> wide = FacePieces(2189, 25);
    ASSERT_EQ(wide.size(), 5u);
    EXPECT_EQ(wide[1].width, 2181);
    EXPECT_EQ(wide[2].top, 21);
    // From 2193 pixels on, only the left column is drawn.
    const std::vector<FacePiece> wider = FacePieces(2193, 25);
    ASSERT_EQ(wider.size(), 3u);
    EXPECT_EQ(wider[0].left, 0);
    EXPECT_EQ(wider[1].top, 21);
    EXPECT_EQ(wider[2].height, 17);
    EXPECT_EQ(FacePieces(2200, 2200).size(), 1u);
    // A button narrower than its corners gets mirrored edges, as the
    // stretch of a negative width does.
    EXPECT_EQ(FacePieces(6, 25)[1].width, -2);
}

TEST(CommandFace, GradientRunsFromWhiteToTheShadeUnlessHovered)
{
    const GradientColour white = {0xFF00, 0xFF00, 0xFF00};
    const GradientColour shade = {0xC600, 0xC500, 0xD700};
    const auto normal = GradientEnds(0);
    EXPECT_EQ(normal.first, white);
    EXPECT_EQ(normal.second, shade);
    const auto hover = GradientEnds(-1);
    EXPECT_EQ(hover.first, shade);
    EXPECT_EQ(hover.second, white);
}

TEST(CommandFace, CaptionSitsTwentyTwipsAboveTheMiddle)
{
    EXPECT_EQ(CaptionTop(25, 13), 5);  // 80 twips
    EXPECT_EQ(CaptionTop(24, 13), 5);  // 72.5 twips, 4.83 pixels
    EXPECT_EQ(CaptionTop(21, 12), 4);  // 57.5 twips, 3.83 pixels
    EXPECT_EQ(CaptionTop(10, 13), -2); // -55 twips
}
