// COM's binary types on this machine: strings, values and arrays keep what Windows'
// keep, and failures travel as HRESULTs with their error objects.
#include <gtest/gtest.h>

#include <string>

#include "platform/com/abi.h"
#include "platform/com/abi_values.h"

namespace {

namespace abi = platform::com::abi;

TEST(ComAbi, TextSurvivesTheTripThroughUtf16) {
    for (std::string text : {"", "Roof drawings", "Σπίτι", "設計図", "emoji 🏠 and\r\nbreaks"}) {
        abi::Bstr bstr(text);
        EXPECT_EQ(abi::Utf8Of(bstr.get()), text);
    }
    abi::Bstr house("🏠");
    EXPECT_EQ(abi::SysStringLen(house.get()), 2u) << "a BSTR counts UTF-16 units";
    EXPECT_EQ(abi::Utf8Of(nullptr), "") << "a null BSTR is the empty string";
    abi::Bstr malformed(std::string("a\xff", 2));
    EXPECT_EQ(abi::Utf8Of(malformed.get()), "a\uFFFD") << "a malformed byte becomes the replacement character";
}

TEST(ComAbi, ATwoDimensionalArrayKeepsColumnsAndRows) {
    const abi::SAFEARRAYBOUND bounds[] = {{3, 0}, {2, 0}};  // 3 columns, 2 rows
    abi::SAFEARRAY* array = abi::SafeArrayCreate(abi::VT_VARIANT, 2, bounds);
    ASSERT_NE(array, nullptr);
    for (int32_t c = 0; c < 3; ++c)
        for (int32_t r = 0; r < 2; ++r) {
            abi::Variant value;
            abi::SetVariant(*value.get(), std::string_view(std::to_string(c) + "," + std::to_string(r)));
            const int32_t at[] = {c, r};
            ASSERT_EQ(abi::SafeArrayPutElement(array, at, value.get()), abi::hr::Ok);
        }
    int32_t upper = 0;
    EXPECT_EQ(abi::SafeArrayGetUBound(array, 1, &upper), abi::hr::Ok);
    EXPECT_EQ(upper, 2);
    EXPECT_EQ(abi::SafeArrayGetUBound(array, 2, &upper), abi::hr::Ok);
    EXPECT_EQ(upper, 1);
    EXPECT_EQ(abi::SafeArrayGetUBound(array, 3, &upper), abi::hr::BadIndex);
    // The leftmost index varies fastest in memory, as on Windows.
    auto* cells = static_cast<abi::VARIANT*>(array->pvData);
    EXPECT_EQ(abi::TextOf(cells[1]), "1,0");
    EXPECT_EQ(abi::TextOf(cells[3]), "0,1");
    abi::SAFEARRAY* copy = nullptr;
    ASSERT_EQ(abi::SafeArrayCopy(array, &copy), abi::hr::Ok);
    ASSERT_EQ(abi::SafeArrayDestroy(array), abi::hr::Ok);
    abi::Variant read;
    const int32_t at[] = {2, 1};
    ASSERT_EQ(abi::SafeArrayGetElement(copy, at, read.get()), abi::hr::Ok);
    EXPECT_EQ(abi::TextOf(*read.get()), "2,1") << "a copy owns its own texts";
    const int32_t outside[] = {3, 0};
    EXPECT_EQ(abi::SafeArrayGetElement(copy, outside, read.get()), abi::hr::BadIndex);
    abi::SafeArrayDestroy(copy);
}

TEST(ComAbi, AnArrayNoRuntimeCouldMakeIsRefusedNotCopied) {
    struct {
        abi::SAFEARRAY head;
        abi::SAFEARRAYBOUND more[64];
    } foreign{};
    abi::VARIANT cells[1]{};
    foreign.head.fFeatures = 0x0800;  // of variants, as Windows marks them
    foreign.head.pvData = cells;
    foreign.head.cDims = 65;  // one element in each of more dimensions than an array may have
    for (auto& bound : foreign.more) bound = {1, 0};
    foreign.head.rgsabound[0] = {1, 0};
    abi::SAFEARRAY* copy = &foreign.head;
    EXPECT_EQ(abi::SafeArrayCopy(&foreign.head, &copy), abi::hr::InvalidArg);
    EXPECT_EQ(copy, nullptr);
    foreign.head.cDims = 2;  // elements claimed without their data
    foreign.head.pvData = nullptr;
    EXPECT_EQ(abi::SafeArrayCopy(&foreign.head, &copy), abi::hr::InvalidArg);
}

TEST(ComAbi, ValuesConvertAsTheRuntimeConvertsThem) {
    abi::Variant text;
    abi::SetVariant(*text.get(), std::string_view(" -12 "));
    EXPECT_EQ(abi::LongOf(*text.get()), -12);
    abi::SetVariant(*text.get(), std::string_view("true"));
    EXPECT_TRUE(abi::BoolOf(*text.get()));
    abi::SetVariant(*text.get(), std::string_view("twelve"));
    EXPECT_THROW(abi::LongOf(*text.get()), platform::ErrorInfo);
    abi::Variant big;
    abi::SetVariant(*big.get(), 3e10);
    try {
        abi::LongOf(*big.get());
        ADD_FAILURE() << "3e10 fits no 32-bit number";
    } catch (const platform::ErrorInfo& e) {
        EXPECT_EQ(e.Number, 6);
    }
    abi::Variant number;
    abi::SetVariant(*number.get(), 2.5);
    EXPECT_EQ(abi::TextOf(*number.get()), "2.5");
    EXPECT_EQ(abi::ShortOf(*number.get()), 2) << "rounded half to even";
    abi::Variant flag;
    abi::SetVariant(*flag.get(), true);
    EXPECT_EQ(abi::TextOf(*flag.get()), "True");
    abi::VARIANT null;
    abi::VariantInit(&null);
    null.vt = abi::VT_NULL;
    EXPECT_THROW(abi::TextOf(null), platform::ErrorInfo);
    EXPECT_TRUE(abi::IsMissing(abi::Missing()));
}

TEST(ComAbi, FailureNumbersTravelInHresults) {
    for (int32_t number : {53, 70, 287, 3021, 57000}) {
        EXPECT_EQ(abi::NumberOf(abi::HresultOf(number)), number);
        EXPECT_TRUE(abi::Failed(abi::HresultOf(number)));
    }
    EXPECT_EQ(abi::HresultOf(-2147467259), -2147467259) << "an HRESULT stays itself";
    EXPECT_EQ(uint32_t(abi::HresultOf(53)), 0x800A0035u);

    const abi::HRESULT reported =
        abi::Report(platform::ErrorInfo(76, "Path not found", "clsUtil"), abi::IID_IUnknown);
    platform::ErrorInfo back = abi::FailureOf(reported);
    EXPECT_EQ(back.Number, 76);
    EXPECT_EQ(back.Description, "Path not found");
    EXPECT_EQ(back.Source, "clsUtil");
    platform::ErrorInfo bare = abi::FailureOf(abi::HresultOf(53));
    EXPECT_EQ(bare.Description, "File not found") << "the error object is taken once; then the number speaks";
}

}  // namespace
