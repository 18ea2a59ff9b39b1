// The compact cells a provider fills: every kind comes back as the Variant it went in
// as, across the blocks the cells grow by, and after the cells were moved.
#include <gtest/gtest.h>

#include <string>

#include "platform/ado/cells.h"

namespace {

using platform::ado::Cells;
using platform::ado::Variant;

TEST(AdoCells, EveryKindComesBackAsItWentIn) {
    Cells cells;
    cells.push_null();
    cells.push_back(true);
    cells.push_back(int64_t(-9007199254740993));
    cells.push_back(0.1);
    cells.push_text("");
    cells.push_text(std::string("a\0b", 3));
    const std::string longText(5000, 'x');
    cells.push_text(longText);

    ASSERT_EQ(cells.size(), 7u);
    EXPECT_EQ(cells.Value(0), Variant::Null());
    EXPECT_EQ(cells.Value(1), Variant(true));
    EXPECT_EQ(cells.Value(2), Variant(int64_t(-9007199254740993)));
    EXPECT_EQ(cells.Value(3), Variant(0.1));
    // An empty text is a text, not a Null.
    EXPECT_EQ(cells.Kind(4), Variant::Kind::Text);
    EXPECT_EQ(cells.Value(4), Variant(""));
    EXPECT_EQ(cells.Text(5), std::string_view("a\0b", 3));
    EXPECT_EQ(cells.Text(6), longText);
}

TEST(AdoCells, ManyRowsKeepTheirValuesAcrossBlocksAndMoves) {
    Cells cells;
    const size_t count = 3 * 4096 + 17;  // more than one block of cells
    for (size_t i = 0; i < count; ++i) {
        if (i % 2)
            cells.push_text("row " + std::to_string(i));
        else
            cells.push_back(int64_t(i));
    }
    Cells moved = std::move(cells);
    EXPECT_EQ(cells.size(), 0u);
    ASSERT_EQ(moved.size(), count);
    for (size_t i : {size_t(0), size_t(4095), size_t(4096), size_t(4097), count - 2, count - 1}) {
        SCOPED_TRACE(i);
        if (i % 2)
            EXPECT_EQ(moved.Text(i), "row " + std::to_string(i));
        else
            EXPECT_EQ(moved.Value(i), Variant(int64_t(i)));
    }
}

TEST(AdoCells, ValueIntoReplacesWhateverTheVariantHeld) {
    Cells cells;
    cells.push_text("a text longer than any short-string buffer");
    cells.push_back(int64_t(7));
    cells.push_text("short");
    cells.push_null();
    Variant value(1.5);
    cells.ValueInto(0, value);
    EXPECT_EQ(value, Variant("a text longer than any short-string buffer"));
    cells.ValueInto(2, value);
    EXPECT_EQ(value, Variant("short"));
    cells.ValueInto(1, value);
    EXPECT_EQ(value, Variant(int64_t(7)));
    cells.ValueInto(3, value);
    EXPECT_TRUE(value.IsNull());
}

}  // namespace
