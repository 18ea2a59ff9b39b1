// Values and connection strings of the ADO layer.
#include <gtest/gtest.h>

#include <limits>

#include "platform/ado/connection_properties.h"
#include "platform/ado/variant.h"

namespace {

using platform::ado::ConnectionProperties;
using platform::ado::Variant;

TEST(VariantText, ConvertsAsTheRuntimeDoes) {
    EXPECT_EQ(Variant().ToText(), "");
    EXPECT_EQ(Variant::Null().ToText(), "");
    EXPECT_TRUE(Variant::Null().IsNull());
    EXPECT_FALSE(Variant(std::string()).IsNull());
    EXPECT_EQ(Variant(true).ToText(), "True");
    EXPECT_EQ(Variant(false).ToText(), "False");
    EXPECT_EQ(Variant(int64_t(0)).ToText(), "0");
    EXPECT_EQ(Variant(int64_t(-2147483648LL)).ToText(), "-2147483648");
    EXPECT_EQ(Variant(std::numeric_limits<int64_t>::max()).ToText(), "9223372036854775807");
    EXPECT_EQ(Variant(3.0).ToText(), "3");
    EXPECT_EQ(Variant(-0.25).ToText(), "-0.25");
    EXPECT_EQ(Variant(0.1).ToText(), "0.1");
    EXPECT_EQ(Variant(1e20).ToText(), "1E+20");
    EXPECT_EQ(Variant(1.5e-7).ToText(), "1.5E-07");
    EXPECT_EQ(Variant("text").ToText(), "text");
}

TEST(VariantText, KindsStayApart) {
    EXPECT_NE(Variant(true), Variant(int64_t(1)));
    EXPECT_NE(Variant::Null(), Variant());
    EXPECT_EQ(Variant(int32_t(5)), Variant(int64_t(5)));
    EXPECT_EQ(Variant(true).Type(), Variant::Kind::Boolean);
    EXPECT_EQ(Variant(2.5).Type(), Variant::Kind::Double);
}

TEST(ConnectionStringReading, KeysWithoutRegardToCaseAndBlanksDropped) {
    auto p = ConnectionProperties::Parse(
        "  provider = Microsoft.Jet.OLEDB.4.0 ;DATA SOURCE=C:\\Data\\Quillet.mdb;Persist Security Info=False;");
    EXPECT_EQ(p.Get("Provider"), "Microsoft.Jet.OLEDB.4.0");
    EXPECT_EQ(p.Get("data source"), "C:\\Data\\Quillet.mdb");
    EXPECT_EQ(p.Get("Persist Security Info"), "False");
    EXPECT_FALSE(p.Find("User ID").has_value());
    EXPECT_EQ(p.Pairs().size(), 3u);
}

TEST(ConnectionStringReading, QuotedValuesKeepSeparators) {
    auto p = ConnectionProperties::Parse(
        "Provider=X;Extended Properties=\"text;HDR=No;FMT=Delimited\";Pwd='a;b''c';Data Source= \"C:\\x y\" ;");
    EXPECT_EQ(p.Get("Extended Properties"), "text;HDR=No;FMT=Delimited");
    EXPECT_EQ(p.Get("Pwd"), "a;b'c");
    EXPECT_EQ(p.Get("Data Source"), "C:\\x y");
}

TEST(ConnectionStringReading, EmptyValuesLastKeyAndOddPieces) {
    auto p = ConnectionProperties::Parse("Pwd=;User ID=admin;user id=other;;novalue;a==b=c");
    ASSERT_TRUE(p.Find("Pwd").has_value());
    EXPECT_EQ(p.Get("Pwd"), "");
    EXPECT_EQ(p.Get("User ID"), "other");
    EXPECT_TRUE(p.Find("novalue").has_value());
    EXPECT_EQ(p.Get("a=b"), "c");
    EXPECT_TRUE(ConnectionProperties::Parse("").Pairs().empty());
}

}  // namespace
