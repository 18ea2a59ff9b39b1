// The checks behind the forms' validation: the drive a folder lies on, and the
// marking of a required field.
#include <gtest/gtest.h>

#include "platform/files/posix/prefix.h"
#include "tests/controller/controller_fixture.h"

using namespace controller_test;
using platform::files::DriveType;
using platform::files::Prefix;

namespace {
class FieldChecksTest : public ControllerTest {
protected:
    void SetUp() override { Start(); }
};
}  // namespace

TEST_F(FieldChecksTest, TheDriveCheckNamesEveryDriveThatCannotHoldTheFolder) {
    Prefix::MapDrive("U:", DriveType::Unknown);
    Prefix::MapDrive("R:", DriveType::Removable);
    Prefix::MapDrive("D:", DriveType::CdRom);
    Prefix::MapDrive("M:", DriveType::RamDisk);
    const std::string unknown = " doesn't exist or it's type cannot be determined.";
    struct {
        std::string path, reason;
    } const cases[] = {
        {"U:\\", unknown},
        {"N:\\", unknown},  // not mapped: no root directory
        {"", unknown},
        {"R:\\", " is a removable drive."},
        {"C:\\", ""},
        {"P:\\", ""},  // a mapped network drive
        {"D:\\", " is a CD-ROM drive."},
        {"\\\\srv\\", ""},  // a network path, whether or not it is there
        {"M:\\", " is a RAM drive."},
    };
    clsQuillet& q = Controller();
    for (const auto& c : cases) {
        q.DriveOk(!c.reason.empty());
        const std::string line = q.CheckDriveType(c.path, "Root Folder");
        if (c.reason.empty())
            EXPECT_EQ(line, "") << c.path;
        else
            EXPECT_EQ(line, "-Drive " + c.path + c.reason + kCrLf + "  (Select a different Root Folder.)") << c.path;
        EXPECT_EQ(q.DriveOk(), c.reason.empty()) << c.path;
    }
}

TEST_F(FieldChecksTest, ARequiredFieldIsColouredWhenEmptyAndEveryFieldShowsItsMark) {
    constexpr platform::toolkit::Color kBack = 0x123456, kFore = 0x654321;
    struct {
        std::string tag, text;
        bool acceptable, alert;
        platform::toolkit::Color back, fore;
    } const cases[] = {
        {"required", "", false, true, 0x00FFFF, 0x0000FF},
        {"REQUIRED", "", false, true, 0x00FFFF, 0x0000FF},
        {"Required", "P:\\X\\", true, false, 0x80000005, 0x80000012},
        {"", "", true, true, kBack, kFore},  // no colours for a field that is not required
        {"", "x", true, false, kBack, kFore},
        {"required ", "", true, true, kBack, kFore},
    };
    auto form = std::make_shared<frmQuillet>();
    auto& field = form->txtSaveFolder;
    auto& label = form->lblFieldLabel(1);
    auto& alert = form->lblAlert(1);
    for (const auto& c : cases) {
        field.SetTag(c.tag);
        field.SetText(c.text);
        field.SetBackColor(kBack);
        label.SetForeColor(kFore);
        alert.SetVisible(!c.alert);
        EXPECT_EQ(Controller().MarkRequiredField(field, label, alert), c.acceptable) << c.tag << "/" << c.text;
        EXPECT_EQ(alert.Visible(), c.alert) << c.tag << "/" << c.text;
        EXPECT_EQ(field.BackColor(), c.back) << c.tag << "/" << c.text;
        EXPECT_EQ(label.ForeColor(), c.fore) << c.tag << "/" << c.text;
    }
}
