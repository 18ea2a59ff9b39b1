// The subject tag read out of a subject (number, delimiter, name, delimiter, subject),
// after one leading "RE: " and then one "FW: ", and the trailing backslash of a path.
#include <gtest/gtest.h>

#include <array>

#include "tests/controller/controller_fixture.h"

using namespace controller_test;

namespace {

// The current project's number and name, and the mail subject.
using Current = std::array<std::string, 3>;

struct TagCase {
    const char* what;
    std::string projDelim, subjDelim, subject;
    Current before;
    std::string shortened;  // the subject as handed back
    Current after;
    bool complete;
};

// clang-format off
const TagCase kTagCases[] = {
    {"worked example: RE: comes off, number ends before the second dash", "-", "=>",
     "RE: 05-123-Smith House=>Roof drawings", {}, "05-123-Smith House=>Roof drawings",
     {"05-123", "Smith House", "Roof drawings"}, true},
    {"worked example: another delimiter ends the number at its first place", "#", "=>",
     "FW: 2231#Bridge Street=>Permit: final?", {}, "2231#Bridge Street=>Permit: final?",
     {"2231", "Bridge Street", "Permit: final?"}, true},
    {"worked example: one dash only, the number stays empty", "-", "=>", "1234-Main St=>Hello", {},
     "1234-Main St=>Hello", {"", "1234-Main St", "Hello"}, false},
    {"one dash only, a number from before counts", "-", "=>", "1234-Main St=>Hello", {"77", "", ""},
     "1234-Main St=>Hello", {"77", "1234-Main St", "Hello"}, true},
    {"with a dash the number runs to the second dash", "-", "=>", "7-Main-St=>S", {}, "7-Main-St=>S",
     {"7-Main", "St", "S"}, true},
    {"the first of several other delimiters", "#", "=>", "12#34#Yard=>S", {}, "12#34#Yard=>S", {"12", "34#Yard", "S"},
     true},
    {"the delimiter is searched with regard to case", "x", "=>", "AXBxC=>s", {}, "AXBxC=>s", {"AXB", "C", "s"}, true},
    {"longer delimiters", "::", "->", "A1::Big Yard->Memo", {}, "A1::Big Yard->Memo", {"A1", "Big Yard", "Memo"}, true},
    {"positions count characters", "-", "=>", "\xC3\x84-1-Z\xC3\xBCrich=>Gr\xC3\xBC\xC3\x9F" "e", {},
     "\xC3\x84-1-Z\xC3\xBCrich=>Gr\xC3\xBC\xC3\x9F" "e", {"\xC3\x84-1", "Z\xC3\xBCrich", "Gr\xC3\xBC\xC3\x9F" "e"},
     true},
    {"a delimiter in first place leaves the number as it was", "#", "=>", "#Yard=>S", {"9", "", ""}, "#Yard=>S",
     {"9", "Yard", "S"}, true},
    {"no subject delimiter: name and subject stay", "-", "=>", "05-123-Smith House", {"", "Old name", "Old subject"},
     "05-123-Smith House", {"05-123", "Old name", "Old subject"}, true},
    {"no subject delimiter and nothing from before", "-", "=>", "05-123-Smith House", {}, "05-123-Smith House",
     {"05-123", "", ""}, false},
    {"no project delimiter: the name stays", "-", "=>", "Hello=>World", {"", "Old", ""}, "Hello=>World",
     {"", "Old", "World"}, false},
    {"RE: then FW:", "-", "=>", "RE: FW: x", {}, "x", {}, false},
    {"FW: first keeps the RE: behind it", "-", "=>", "FW: RE: x", {}, "RE: x", {}, false},
    {"RE: comes off once", "-", "=>", "RE: RE: x", {}, "RE: x", {}, false},
    {"other spellings stay", "-", "=>", "Re: x", {}, "Re: x", {}, false},
    {"the blank belongs to the prefix", "-", "=>", "RE:x", {}, "RE:x", {}, false},
};
// clang-format on

void PrintTo(const TagCase& c, std::ostream* out) { *out << c.what; }

class SubjectTagTest : public ControllerTest, public ::testing::WithParamInterface<TagCase> {};

}  // namespace

TEST_P(SubjectTagTest, ReadsTheTag) {
    const TagCase& c = GetParam();
    Start();
    clsQuillet& q = Controller();
    q.ProjDelim(c.projDelim);
    q.SubjDelim(c.subjDelim);
    q.ProjectNumber(c.before[0]);
    q.ProjectName(c.before[1]);
    q.MailSubject(c.before[2]);

    std::string subject = c.subject;
    EXPECT_EQ(q.ParseSubjectTag(subject), c.complete) << c.what;
    EXPECT_EQ(subject, c.shortened) << c.what;
    EXPECT_EQ((Current{q.ProjectNumber(), q.ProjectName(), q.MailSubject()}), c.after) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Cases, SubjectTagTest, ::testing::ValuesIn(kTagCases));

TEST(FixPathTest, ANonEmptyPathEndsWithOneBackslash) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"C:", "C:\\"},
        {"C:\\", "C:\\"},
        {"\\\\srv\\share", "\\\\srv\\share\\"},
        {"Corr_Out/", "Corr_Out/\\"},
        {" ", " \\"},
        {"P:\\Z\xC3\xBCrich", "P:\\Z\xC3\xBCrich\\"},
    };
    for (const auto& [path, fixed] : cases) EXPECT_EQ(clsQuillet::FixPath(path), fixed) << "\"" << path << "\"";
}
