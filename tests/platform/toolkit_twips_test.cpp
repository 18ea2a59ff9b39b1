// Twips and pixels at a logical resolution.
#include <gtest/gtest.h>

#include "platform/toolkit/twips.h"

using namespace platform::toolkit;

TEST(Twips, FifteenTwipsAreOnePixelAtTheStandardResolutionAndAnInchIsTheDpi) {
    EXPECT_EQ(TwipsToPixels(15), 1);
    EXPECT_EQ(TwipsToPixels(1440), 96);
    EXPECT_EQ(TwipsToPixels(1440, 120), 120);
    EXPECT_EQ(TwipsToPixels(1440, 144), 144);
    EXPECT_EQ(TwipsToPixels(11250), 750);  // the save form's client width
    EXPECT_EQ(TwipsToPixels(11250, 144), 1125);
    EXPECT_EQ(PixelsToTwips(1), 15);
    EXPECT_EQ(PixelsToTwips(1, 120), 12);
    EXPECT_EQ(PixelsToTwips(750), 11250);
}

TEST(Twips, PixelsRoundToTheNearestHalvesUpAlsoBelowZero) {
    EXPECT_EQ(TwipsToPixels(7), 0);
    EXPECT_EQ(TwipsToPixels(8), 1);  // 7.5 twips is half a pixel
    EXPECT_EQ(TwipsToPixels(22), 1);
    EXPECT_EQ(TwipsToPixels(23), 2);
    EXPECT_EQ(TwipsToPixels(-7), 0);
    EXPECT_EQ(TwipsToPixels(-8), -1);
    EXPECT_EQ(TwipsToPixels(-23), -2);
    EXPECT_EQ(PixelsToTwips(-1, 144), -10);
}

TEST(Twips, ARectangleTakesThePixelsOfItsEdgesSoNeighboursNeverGapOrOverlap) {
    // Three buttons 330 twips wide side by side at 120 dpi: 27.5 pixels each.
    PixelRect a = TwipsToPixels(9975, 615, 330, 300, 120);
    PixelRect b = TwipsToPixels(10305, 615, 330, 300, 120);
    PixelRect c = TwipsToPixels(10635, 615, 330, 300, 120);
    EXPECT_EQ(a.left + a.width, b.left);
    EXPECT_EQ(b.left + b.width, c.left);
    EXPECT_EQ(a.width + b.width + c.width, 83);  // 990 twips, 82.5 pixels
    EXPECT_EQ(TwipsToPixels(1455, 615, 8430, 315), (PixelRect{97, 41, 562, 21}));
}
