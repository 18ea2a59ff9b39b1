#include <gtest/gtest.h>

#include "util/interfaces/next_project_number.h"

TEST(NextProjectNumber, ALastDigitBelowNineCountsUp) {
    EXPECT_EQ(SuggestNextProjectNumber("P-17"), "P-18");
    EXPECT_EQ(SuggestNextProjectNumber("5"), "6");
    EXPECT_EQ(SuggestNextProjectNumber("A-07"), "A-08");
    EXPECT_EQ(SuggestNextProjectNumber("05-120"), "05-121");
}

TEST(NextProjectNumber, ANineCarriesIntoTwoThenThreeCharacters) {
    EXPECT_EQ(SuggestNextProjectNumber("P-19"), "P-20");
    EXPECT_EQ(SuggestNextProjectNumber("1009"), "1010");
    EXPECT_EQ(SuggestNextProjectNumber("9"), "10");
    EXPECT_EQ(SuggestNextProjectNumber("2199"), "2200");
    EXPECT_EQ(SuggestNextProjectNumber("99"), "100");
    EXPECT_EQ(SuggestNextProjectNumber("X199"), "X200");
    EXPECT_EQ(SuggestNextProjectNumber("A-09"), "A-10");
}

TEST(NextProjectNumber, LeadingZerosOfTheChangedDigitsAreLost) {
    EXPECT_EQ(SuggestNextProjectNumber("P-099"), "P-100");
    EXPECT_EQ(SuggestNextProjectNumber("P-009"), "P-010");
}

TEST(NextProjectNumber, WhatCannotCarryGivesNothingOrTheNumberItself) {
    EXPECT_EQ(SuggestNextProjectNumber(""), "");
    EXPECT_EQ(SuggestNextProjectNumber("A9"), "");
    EXPECT_EQ(SuggestNextProjectNumber("1999"), "");
    EXPECT_EQ(SuggestNextProjectNumber("A-99"), "");
    EXPECT_EQ(SuggestNextProjectNumber("P-1X"), "");
    EXPECT_EQ(SuggestNextProjectNumber("A99"), "A99");
    EXPECT_EQ(SuggestNextProjectNumber("-9"), "-9");
}

TEST(NextProjectNumber, BlanksAndSignsCountAsTheNumericTestSays) {
    // What is left before the changed characters loses its blanks at both ends.
    EXPECT_EQ(SuggestNextProjectNumber("P 1"), "P2");
    EXPECT_EQ(SuggestNextProjectNumber("A +9"), "A10");
    EXPECT_EQ(SuggestNextProjectNumber("A 99"), "A100");
    // ".9" is numeric, worth 0.9, which rounds to 1.
    EXPECT_EQ(SuggestNextProjectNumber("1.9"), "12");
    // The last three characters "099" are worth 99: the zero before them stays.
    EXPECT_EQ(SuggestNextProjectNumber("0099"), "0100");
    // "E9" is no number (no mantissa before the exponent).
    EXPECT_EQ(SuggestNextProjectNumber("E9"), "");
}
