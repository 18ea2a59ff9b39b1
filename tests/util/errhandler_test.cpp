#include "util_fixture.h"

using platform::ErrorInfo;

TEST_F(UtilTest, TheReportNamesNumberDescriptionModuleAndProcedure) {
    ExpectReport("Error 53: File not found\r\nThe error occurred in clsUtil:OpenFile()");
    util->ErrHandler(ErrorInfo(53, "File not found"), "clsUtil", "OpenFile()");
    ASSERT_EQ(machine.Toolkit().Shown().size(), 1u);
    const auto& box = machine.Toolkit().Shown()[0];
    EXPECT_EQ(box.title, " Error");
    EXPECT_EQ(box.text, "Error 53: File not found\r\nThe error occurred in clsUtil:OpenFile()");
    EXPECT_EQ(box.flags, platform::toolkit::vbOKOnly + platform::toolkit::vbCritical);
}

TEST_F(UtilTest, TheAddInsReportCarriesItsModuleNameInTheTitle) {
    machine.Person().ExpectMsgBox("Quillet09 Error", platform::toolkit::vbOK,
                                  "Error -2147467259: Could not find file.\r\nThe error occurred in "
                                  "clsQuillet:GetDataBaseSettings()");
    util->ErrHandler(ErrorInfo(-2147467259, "Could not find file."), "clsQuillet", "GetDataBaseSettings()",
                     "Quillet09");
}

TEST_F(UtilTest, AnEmptyDescriptionStillGivesBothLines) {
    ExpectReport("Error 5: \r\nThe error occurred in clsDbADO:OpenConn");
    util->ErrHandler(ErrorInfo(5, ""), "clsDbADO", "OpenConn");
}

TEST_F(UtilTest, TheNormalExitIsRecognisedByItsExactWordsAlone) {
    util->ErrHandler(ErrorInfo(57000, "No Error - Normal Exit"), "clsQuillet", "IsExisitingProjectNumber()");
    util->ErrHandler(ErrorInfo(1, "No Error - Normal Exit"), "clsQuillet", "X()");
    EXPECT_TRUE(machine.Toolkit().Shown().empty());
    ExpectReport("Error 57000: No error - normal exit\r\nThe error occurred in clsQuillet:X()");
    util->ErrHandler(ErrorInfo(57000, "No error - normal exit"), "clsQuillet", "X()");
    EXPECT_EQ(util->NORM_EXIT_ERR(), 57000);
    EXPECT_EQ(util->NORM_EXIT_DESCR(), "No Error - Normal Exit");
}

TEST_F(UtilTest, TheObjectAnswersForItsInterfacesOnly) {
    auto unknown = std::static_pointer_cast<platform::com::IUnknown>(std::static_pointer_cast<_clsUtil>(util));
    EXPECT_EQ(platform::com::Query<_clsUtil>(unknown).get(), static_cast<_clsUtil*>(util.get()));
    constexpr auto otherInterface = platform::com::Guid::Parse("{7B388241-E024-45E8-A917-C4AC99AA21ED}");
    EXPECT_EQ(util->QueryInterface(otherInterface), nullptr);
}
